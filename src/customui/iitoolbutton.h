#ifndef IITOOLBUTTON_H
#define IITOOLBUTTON_H

#include <QSize>
#include <QString>
#include <QToolButton>
#include <QVariant>

// The application's tool button. Every click emits sgButtonClick(state, id); sizes and
// paddings are given unscaled and multiplied by IGSQUARERATE here.
class IIToolButton : public QToolButton
{
    Q_OBJECT
public:
    // Which corners are rounded.
    enum RadiusType {
        NoRadius = 0,
        AllRadius = 1,
        LeftRadius = 2,
        RightRadius = 3,
    };
    Q_ENUM(RadiusType)

    // Icon on a transparent background, highlighted when hovered, pressed or checked.
    IIToolButton(QVariant id, const QString& text, const QString& svg, bool checkable, QSize size, int padding,
                 QWidget* parent = nullptr);
    // normalSvg on the dark gradient; clickSvg on the hover gradient when pressed or checked.
    IIToolButton(QVariant id, const QString& text, const QString& normalSvg, const QString& clickSvg,
                 const int& radius, bool checkable, QSize size, int padding, QWidget* parent = nullptr);
    // Title-bar kind: normalIcon, clickIcon while pressed.
    IIToolButton(QVariant id, const QString& text, const QString& normalIcon, const QString& clickIcon,
                 bool checkable, QSize size, int padding, QWidget* parent = nullptr);
    // Gradient look with only the corners radiusType names rounded; not checkable, and a
    // click reports the stored select flag.
    IIToolButton(QVariant id, const QString& text, const QString& normalSvg, const QString& clickSvg, QSize size,
                 IIToolButton::RadiusType radiusType, int padding, QWidget* parent = nullptr);
    // Text button: white text, orange when hovered, pressed or checked.
    IIToolButton(QVariant id, const QString& text, QSize size, IIToolButton::RadiusType radiusType, bool checkable,
                 QWidget* parent = nullptr);
    // Icon button: normalIcon, clickIcon when pressed or selected.
    IIToolButton(QVariant id, const QString& text, QSize size, const QString& normalIcon, const QString& clickIcon,
                 QWidget* parent = nullptr);

    QVariant id() const { return m_id; }
    bool selectState() const { return m_selectState; }
    // Stores the select flag and the check state; emits no click.
    virtual void setSelectState(const bool& b);

signals:
    void sgButtonClick(bool state, QVariant id);

private:
    enum class ClickState { Checked, SelectFlag };

    void init(const QVariant& id, const QString& toolTip, bool checkable, QSize size, ClickState clickState);
    static QString cornerQss(RadiusType type, double radius);

    QVariant m_id;
    bool m_selectState = false;
    ClickState m_clickState = ClickState::Checked;
};

#endif
