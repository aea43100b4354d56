#include "board/widget/islider.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QIntValidator>
#include <QLineEdit>

#include "board/widget/ibasewidget.h"
#include "iglobal.h"

ISlider::ISlider(Qt::Orientation orientation, QWidget* parent) : ISlider(1, orientation, parent)
{
}

ISlider::ISlider(int factor, Qt::Orientation orientation, QWidget* parent)
    : QSlider(orientation, parent), m_factor(factor)
{
    setCustomStyle(false);
}

void ISlider::setCustomStyle(const bool& b)
{
    const int g = int(6 * GSQUARERATE * m_factor);
    const int r = g / 2;
    const int m = int(10 * GSQUARERATE * m_factor);
    const int k = int(20 * GSQUARERATE * m_factor);
    const QString accent = QColor(69, 198, 214).name();

    const QString filled = QStringLiteral(
        "{            background: %2;            border: none;            border-radius: %1px;        }");
    const QString gray = QStringLiteral(
        "{            background: gray;            border: none;            border-radius: %1px;        }");
    QString pages;
    if (b) {
        pages = QStringLiteral("QSlider::sub-page:horizontal        ") + gray.arg(r) +
                QStringLiteral("QSlider::add-page:horizontal        ") + filled.arg(r).arg(accent);
    } else {
        pages = QStringLiteral("QSlider::sub-page:horizontal        ") + filled.arg(r).arg(accent) +
                QStringLiteral("QSlider::add-page:horizontal        ") + gray.arg(r) +
                QStringLiteral("QSlider::sub-page:Vertical            ") + gray.arg(r) +
                QStringLiteral("QSlider::add-page:Vertical        ") + filled.arg(r).arg(accent);
    }
    QString sheet = QStringLiteral("QSlider{background-color: transparent;}");
    sheet += QStringLiteral("QSlider::groove:horizontal    {         border: none;          height: %1px;"
                            "                 margin: 0px 0;             left: %2px; right: %2px;     }")
                 .arg(g)
                 .arg(m);
    sheet += QStringLiteral("QSlider::groove:Vertical    {         border: none;          width: %1px;"
                            "                 margin: 0px 0;             top: %2px; bottom: %2px;     }")
                 .arg(g)
                 .arg(m);
    sheet += pages;
    sheet += QStringLiteral("QSlider::handle    {        border: 0px ;         width: %1px;        height: %1px;"
                            "        margin: %2px %2px %2px %2px;        background-color:white;"
                            "         border-radius: %3px;             }")
                 .arg(k)
                 .arg(-((k - g) / 2))
                 .arg(k / 2 - 1);
    setStyleSheet(sheet);
}

ICustomSlider::ICustomSlider(Qt::Orientation orientation, int factor, QWidget* parent)
    : ICustomSlider(false, orientation, factor, parent)
{
}

ICustomSlider::ICustomSlider(const bool& checkBox, Qt::Orientation orientation, int factor, QWidget* parent)
    : QWidget(parent), m_hasCheckBox(checkBox), m_orientation(orientation), m_factor(factor)
{
    CreateUI();
}

void ICustomSlider::CreateUI()
{
    setAttribute(Qt::WA_TranslucentBackground);
    const double s = GSQUARERATE;
    const int f = m_factor;
    m_slider = new ISlider(1, m_orientation, this);
    m_field = new QLineEdit(QString(), this);
    m_field->setFont(scaledUiFont(10, 50));
    m_field->setStyleSheet(QStringLiteral("border:none;border-radius:%1px;").arg(6 * s));
    m_checkBox = new QCheckBox(QString(), this);
    // The panels behind are dark: a white outlined box when unticked, filled and ticked
    // when ticked, so that both states can be seen and clicked.
    const int box = int(16 * s * f);
    m_checkBox->setStyleSheet(
        QStringLiteral("QCheckBox{color:white;background-color:transparent;}"
                       "QCheckBox::indicator{width:%1px;height:%1px;border:%2px solid white;border-radius:%3px;"
                       "background-color:transparent;}"
                       "QCheckBox::indicator:checked{background-color:%4;image:url(:/ui/ui/checkmark.svg);}")
            .arg(box)
            .arg(qMax(2, int(2 * s)))
            .arg(qMax(2, int(3 * s)))
            .arg(QColor(69, 198, 214).name()));
    m_checkBox->setFont(scaledUiFont(10, 50));

    m_checkBox->setChecked(m_hasCheckBox);
    m_checkBox->setVisible(m_hasCheckBox);
    m_slider->setEnabled(!m_hasCheckBox);
    m_field->setEnabled(!m_hasCheckBox);

    if (m_orientation == Qt::Vertical) {
        m_slider->setFixedWidth(int(f * 30 * GWIDTHRATE));
        m_slider->setMinimumHeight(int(f * 160 * GWIDTHRATE));
        m_field->setAlignment(Qt::AlignCenter);
        m_field->setFixedSize(int(30 * s * f), int(40 * s * f));
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_slider);
        layout->addWidget(m_field);
        layout->addWidget(m_checkBox);
    } else if (m_orientation == Qt::Horizontal) {
        m_slider->setFixedHeight(int(f * 25 * GHEIGHTRATE));
        m_slider->setMinimumWidth(int(f * 200 * GWIDTHRATE));
        m_field->setAlignment(Qt::AlignCenter);
        m_field->setFixedSize(int(50 * s * f), int(25 * s * f));
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_slider);
        layout->addWidget(m_field);
        layout->addWidget(m_checkBox);
    }
    adjustSize();
    updateValidator();

    // The two "drives" flags stop field and slider from feeding each other in a loop.
    connect(m_field, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_sliderDrivesField = false;
        if (m_fieldDrivesSlider)
            m_slider->setValue(text.toInt());
        m_sliderDrivesField = true;
        m_slider->setToolTip(QString::number(m_slider->value()));
    });
    connect(m_slider, &QSlider::valueChanged, this, [this](int v) {
        m_fieldDrivesSlider = false;
        if (m_sliderDrivesField)
            m_field->setText(QString::number(v));
        m_fieldDrivesSlider = true;
        m_slider->setToolTip(QString::number(m_slider->value()));
        if (m_emitNext)
            emit sgValueChanged(m_slider->value());
        m_emitNext = true;
    });
    connect(m_checkBox, &QCheckBox::stateChanged, this, [this](int state) {
        if (state == Qt::Checked) {
            m_slider->setEnabled(false);
            m_field->setEnabled(false);
        } else if (state == Qt::Unchecked) {
            m_slider->setEnabled(true);
            m_field->setEnabled(true);
        }
        emit sgStateChanged(state);
    });
}

void ICustomSlider::updateValidator()
{
    auto* old = m_field->validator();
    m_field->setValidator(new QIntValidator(m_slider->minimum(), m_slider->maximum(), m_field));
    delete old;
}

int ICustomSlider::minimum() const
{
    return m_slider->minimum();
}

int ICustomSlider::maximum() const
{
    return m_slider->maximum();
}

void ICustomSlider::setMinimum(const int& v)
{
    m_slider->setMinimum(v);
    updateValidator();
}

void ICustomSlider::setMaximum(const int& v)
{
    m_slider->setMaximum(v);
    updateValidator();
}

int ICustomSlider::value() const
{
    return m_slider->value();
}

void ICustomSlider::setValue(const int& v, const bool& checked, const bool& notify)
{
    m_emitNext = notify;
    if (m_slider->value() == v)
        m_field->setText(QString::number(v));
    m_slider->setValue(v);
    // The flag covers this call only: left down, it would swallow the user's next move.
    m_emitNext = true;
    // Without a check box the hidden box stays out of it: it would disable the slider.
    if (m_hasCheckBox)
        m_checkBox->setChecked(checked);
}

void ICustomSlider::setRange(const int& min, const int& max)
{
    m_slider->setRange(min, max);
    updateValidator();
}

void ICustomSlider::setSingleStep(const int& step)
{
    m_slider->setSingleStep(step);
}
