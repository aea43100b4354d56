#include "customui/ithicknessframe.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "customui/iicolorbutton.h"
#include "iglobal.h"
#include "service/iconfigureservice.h"

IThicknessFrame::IThicknessFrame(IApplication* app, QWidget* parent)
    : IPanelFrame(app, parent)
{
    CreateUI();
    setBackgroundLinearGradient(true);
}

void IThicknessFrame::setFrameVisible(const bool& visible)
{
    if (visible)
        placeLeftOfBoardButton(IBoardToolBar::Thickness);
    setVisible(visible);
}

void IThicknessFrame::setThickness(const int& thickness)
{
    slButtonClick(false, QVariant(thickness));
}

void IThicknessFrame::slButtonClick(bool checked, QVariant id)
{
    Q_UNUSED(checked)
    for (auto it = m_buttons.cbegin(); it != m_buttons.cend(); ++it)
        it.value()->setSelectState(it.key() == id);
    m_thickness = id.toInt();
    IConfigureService::instance()->setPenciThickness(m_thickness);
}

void IThicknessFrame::CreateUI()
{
    const double s = IGSQUARERATE;
    setFixedWidth(static_cast<int>(60 * s));
    const QList<QPair<int, int>> table = {{1, 20}, {3, 24}, {5, 26}, {7, 30}, {10, 32}, {20, 36}, {30, 38}};
    auto* layout = new QVBoxLayout(this);
    const int m = static_cast<int>(10 * s);
    layout->setContentsMargins(m, m, m, m);
    for (const auto& entry : table) {
        IIColorButton* button = CreateButton(entry.first, tr("%1 thickness").arg(entry.first),
                                             QSize(entry.second, entry.second));
        auto* row = new QHBoxLayout;
        row->addStretch();
        row->addWidget(button);
        row->addStretch();
        layout->addLayout(row);
    }
    adjustSize();
}

IIColorButton* IThicknessFrame::CreateButton(QVariant id, const QString& tip, QSize size)
{
    auto* button = new IIColorButton(id, Qt::white, true, size);
    button->setToolTip(tip);
    m_buttons.insert(id, button);
    connect(button, &IIColorButton::sgButtonClick, this, &IThicknessFrame::slButtonClick);
    return button;
}
