#include "iitoolbutton.h"

#include <QStyle>

#include "iglobal.h"
#include "iuihelper.h"

namespace {
int scaled(double v) { return int(v * IGSQUARERATE); }

const QString kHighlight = QStringLiteral("rgba(255,255,255,50)");
const QString kOrange = QStringLiteral("rgb(235,120,7)");
}

IIToolButton::IIToolButton(QVariant id, const QString& text, const QString& svg, bool checkable, QSize size,
                           int padding, QWidget* parent)
    : QToolButton(parent)
{
    init(id, text, checkable, size, ClickState::Checked);
    setStyleSheet(QStringLiteral("QToolButton{border:none;background-color:transparent;border-radius:%1px;"
                                 "padding:%2px;image:url(%3);}"
                                 "QToolButton:hover{background-color:%4;}"
                                 "QToolButton:pressed{background-color:%4;}"
                                 "QToolButton:checked{background-color:%4;}")
                      .arg(4 * IGSQUARERATE)
                      .arg(scaled(padding))
                      .arg(svg, kHighlight));
}

IIToolButton::IIToolButton(QVariant id, const QString& text, const QString& normalSvg, const QString& clickSvg,
                           const int& radius, bool checkable, QSize size, int padding, QWidget* parent)
    : QToolButton(parent)
{
    init(id, text, checkable, size, ClickState::Checked);
    setStyleSheet(QStringLiteral("QToolButton{border:none;border-radius:%1px;padding:%2px;"
                                 "background-color:%3image:url(%4);}"
                                 "QToolButton:hover{background-color:%5image:url(%4);}"
                                 "QToolButton:pressed{background-color:%5image:url(%6);}"
                                 "QToolButton:checked{background-color:%5image:url(%6);}")
                      .arg(radius)
                      .arg(scaled(padding))
                      .arg(BUTTON_GRADIENT, normalSvg, BUTTON_HOVER_GRADIENT, clickSvg));
}

IIToolButton::IIToolButton(QVariant id, const QString& text, const QString& normalIcon, const QString& clickIcon,
                           bool checkable, QSize size, int padding, QWidget* parent)
    : QToolButton(parent)
{
    init(id, text, checkable, size, ClickState::Checked);
    setStyleSheet(QStringLiteral("QToolButton{border:none;background-color:transparent;padding:%1px;image:url(%2);}"
                                 "QToolButton:pressed{image:url(%3);}")
                      .arg(scaled(padding))
                      .arg(normalIcon, clickIcon));
}

IIToolButton::IIToolButton(QVariant id, const QString& text, const QString& normalSvg, const QString& clickSvg,
                           QSize size, IIToolButton::RadiusType radiusType, int padding, QWidget* parent)
    : QToolButton(parent)
{
    init(id, text, false, size, ClickState::SelectFlag);
    setStyleSheet(QStringLiteral("QToolButton{border:none;%1padding:%2px;background-color:%3image:url(%4);}"
                                 "QToolButton:hover{background-color:%5image:url(%4);}"
                                 "QToolButton:pressed{background-color:%5image:url(%6);}")
                      .arg(cornerQss(radiusType, 10 * IGSQUARERATE))
                      .arg(scaled(padding))
                      .arg(BUTTON_GRADIENT, normalSvg, BUTTON_HOVER_GRADIENT, clickSvg));
}

IIToolButton::IIToolButton(QVariant id, const QString& text, QSize size, IIToolButton::RadiusType radiusType,
                           bool checkable, QWidget* parent)
    : QToolButton(parent)
{
    init(id, QString(), checkable, size, ClickState::Checked);
    setText(text);
    setFont(createFont(12, 50));
    setStyleSheet(QStringLiteral("QToolButton{border:none;%1color:white;background-color:%2}"
                                 "QToolButton:hover{color:%4;background-color:%3}"
                                 "QToolButton:pressed{color:%4;background-color:%3}"
                                 "QToolButton:checked{color:%4;background-color:%3}")
                      .arg(cornerQss(radiusType, 10 * IGSQUARERATE))
                      .arg(BUTTON_GRADIENT, BUTTON_HOVER_GRADIENT, kOrange));
}

IIToolButton::IIToolButton(QVariant id, const QString& text, QSize size, const QString& normalIcon,
                           const QString& clickIcon, QWidget* parent)
    : QToolButton(parent)
{
    init(id, text, false, size, ClickState::Checked);
    // The select flag is mirrored into a property because a non-checkable button
    // never reaches the :checked state.
    setStyleSheet(QStringLiteral("QToolButton{border:none;background-color:transparent;image:url(%1);}"
                                 "QToolButton:pressed{image:url(%2);}"
                                 "QToolButton[selectState=\"true\"]{image:url(%2);}")
                      .arg(normalIcon, clickIcon));
}

void IIToolButton::init(const QVariant& id, const QString& toolTip, bool checkable, QSize size,
                        ClickState clickState)
{
    m_id = id;
    m_clickState = clickState;
    setToolTip(toolTip);
    setCheckable(checkable);
    setFixedSize(scaled(size.width()), scaled(size.height()));
    setCursor(Qt::PointingHandCursor);
    setProperty("selectState", false);
    connect(this, &QToolButton::clicked, this, [this](bool checked) {
        emit sgButtonClick(m_clickState == ClickState::SelectFlag ? m_selectState : checked, m_id);
    });
}

void IIToolButton::setSelectState(const bool& b)
{
    m_selectState = b;
    setChecked(b);
    if (property("selectState").toBool() != b) {
        setProperty("selectState", b);
        style()->unpolish(this);
        style()->polish(this);
        update();
    }
}

QString IIToolButton::cornerQss(RadiusType type, double radius)
{
    switch (type) {
    case AllRadius:
        return QStringLiteral("border-radius:%1px;").arg(radius);
    case LeftRadius:
        return QStringLiteral("border-top-left-radius:%1px;border-bottom-left-radius:%1px;").arg(radius);
    case RightRadius:
        return QStringLiteral("border-top-right-radius:%1px;border-bottom-right-radius:%1px;").arg(radius);
    case NoRadius:
        break;
    }
    return QString();
}
