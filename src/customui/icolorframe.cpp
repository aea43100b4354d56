#include "customui/icolorframe.h"

#include <QColorDialog>
#include <QVBoxLayout>

#include "customui/iicolorbutton.h"
#include "customui/iitoolbutton.h"
#include "iglobal.h"
#include "service/iconfigureservice.h"

IColorFrame::IColorFrame(IApplication* app, QWidget* parent)
    : IPanelFrame(app, parent)
{
    CreateUI();
    setBackgroundLinearGradient(true);
}

void IColorFrame::setFrameVisible(const bool& visible)
{
    if (visible)
        placeLeftOfBoardButton(IBoardToolBar::Color);
    setVisible(visible);
}

void IColorFrame::setColor(const QColor& color)
{
    slButtonClick(false, QVariant(color));
}

void IColorFrame::slButtonClick(bool checked, QVariant id)
{
    Q_UNUSED(checked)
    // Compared as colours: a QVariant holding a QColor has no ordering of its own.
    const QColor color = id.canConvert<QColor>() ? id.value<QColor>() : QColor();
    for (IIColorButton* button : qAsConst(m_buttons))
        button->setSelectState(color.isValid() && button->color() == color);
    m_color = color;
    IConfigureService::instance()->setPencilColor(m_color);
}

void IColorFrame::CreateUI()
{
    const double s = IGSQUARERATE;
    setFixedWidth(static_cast<int>(60 * s));
    auto* layout = new QVBoxLayout(this);
    const int m = static_cast<int>(10 * s);
    layout->setContentsMargins(m, m, m, m);
    const QList<QPair<QString, QColor>> swatches = {
        {tr("Red"), QColor(255, 0, 0)},      {tr("Green"), QColor(0, 255, 0)},  {tr("Blue"), QColor(0, 0, 255)},
        {tr("Yellow"), QColor(255, 255, 0)}, {tr("Pink"), QColor(255, 0, 255)}, {tr("Cyan"), QColor(0, 255, 255)},
        {tr("Black"), QColor(0, 0, 0)},      {tr("White"), QColor(255, 255, 255)}};
    for (const auto& swatch : swatches)
        layout->addWidget(CreateButton(QVariant(swatch.second), swatch.first, swatch.second));

    auto* more = new IIToolButton(9, QStringLiteral("..."), QSize(36, 30), IIToolButton::AllRadius, false);
    layout->addWidget(more);
    connect(more, &QToolButton::clicked, more, [this] {
        const QColor chosen = chooseColor();
        if (chosen.isValid())
            setColor(chosen);
    });
    adjustSize();
}

QColor IColorFrame::chooseColor()
{
    QColorDialog dialog(parentWidget());
    dialog.exec();
    return dialog.selectedColor();
}

IIColorButton* IColorFrame::CreateButton(QVariant id, const QString& tip, const QColor& color)
{
    auto* button = new IIColorButton(id, color, true, QSize(36, 36));
    button->setToolTip(tip);
    m_buttons.insert(color.name(QColor::HexArgb), button);
    connect(button, &IIColorButton::sgButtonClick, this, &IColorFrame::slButtonClick);
    return button;
}
