#ifndef ITOOLBUTTON_H
#define ITOOLBUTTON_H

#include <QColor>
#include <QSize>
#include <QString>
#include <QToolButton>
#include <QVariant>

// The board kit's tool button: an svg icon, a text or both, on one of the generated
// style sheets with a chosen set of rounded corners. Every click emits
// sgButtonClick(selected, id). Sizes given to the constructors are multiplied by
// GSQUARERATE; sizes given later are not.
class IToolButton : public QToolButton
{
    Q_OBJECT
public:
    enum RadiusType : qint32 {
        NoRadius = 0,
        AllRadius = 1,
        LeftRadius = 2,
        RightRadius = 3,
        TopRadius = 4,
        BottomRadius = 5,
        TopLeftRadius = 6,
        TopRightRadius = 7,
        BottomLeftRadius = 8,
        BottomRightRadius = 9,
    };
    Q_ENUM(RadiusType)

    IToolButton(QVariant id, const QString& svg, RadiusType radius, QSize size, QWidget* parent = nullptr);
    IToolButton(const QString& text, RadiusType radius, QSize size, QWidget* parent = nullptr);
    IToolButton(const QString& svg, const QString& selectedSvg, QVariant id, RadiusType radius, QSize size,
                QWidget* parent = nullptr);
    IToolButton(QVariant id, const QString& text, const QString& svg, RadiusType radius, QSize size,
                QWidget* parent = nullptr);
    IToolButton(QVariant id, const QString& text, const QString& svg, const QString& selectedSvg, QSize size,
                QWidget* parent = nullptr);
    IToolButton(QVariant id, const QString& text, const QString& svg, const QString& selectedSvg,
                RadiusType radius, QSize size, QWidget* parent = nullptr);

    virtual QString buttonTxt() const { return m_text; }
    virtual QSize buttonSize() const { return m_size; }
    virtual QString buttonBgSvg() const { return m_svg; }
    virtual bool selectState() const { return m_selected; }
    virtual QVariant buttonData() const { return m_id; }
    virtual QString buttonSelcSvg() const { return m_selectedSvg; }
    virtual bool textVisible() const { return m_textVisible; }

    virtual void setSelectState(const bool& b);
    virtual void setButtonData(const QVariant& id) { m_id = id; }
    virtual void setButtonSize(const QSize& size);
    virtual void setButtonTxt(const QString& text);
    virtual void setButtonBgSvg(const QString& svg);
    virtual void setButtonSelcSvg(const QString& svg);
    virtual void setTextVisible(const bool& b);
    // The corner part of the style sheet for a radius type (empty for none).
    virtual QString RadiusTypeQss(RadiusType type);

signals:
    void sgButtonClick(bool selected, QVariant id);

protected:
    virtual void CreateUI();

private:
    void onClicked(bool checked);

    QSize m_size;
    QString m_text;
    QString m_svg;
    QString m_selectedSvg;
    bool m_selected = false;
    bool m_textVisible = true;
    QVariant m_id;
    RadiusType m_radius = NoRadius;
};

// A round colour swatch, or the five-colour wheel for the transparent colour, with a
// ring while selected. A click never clears a selected swatch.
class IColorButton : public QToolButton
{
    Q_OBJECT
public:
    IColorButton(QVariant id, const QColor& color, const bool& checkable, const QSize& size,
                 QWidget* parent = nullptr);

    virtual QColor buttonColor() const { return m_color; }
    virtual QSize buttonSize() const { return m_size; }
    virtual bool selectState() const { return m_selected; }
    virtual QVariant buttonData() const { return m_id; }
    virtual void setSelectState(const bool& b);
    virtual void setButtonSize(const QSize& size);
    virtual void setButtonColor(const QColor& color);

    // A band of the given width along the arc of radius r, from the painter's origin.
    virtual void gradientArc(QPainter* painter, int r, int start, int sweep, int width, QColor color);
    // A pie slice of radius r from the painter's origin (width unused).
    virtual void gradientSector(QPainter* painter, int r, int start, int sweep, int width, QColor color);

signals:
    void sgButtonClick(bool selected, QVariant id);

protected:
    virtual void CreateUI();
    void paintEvent(QPaintEvent* event) override;

private:
    void onClicked(bool checked);
    void drawWheel(QPainter* painter, int r);

    QSize m_size;
    QColor m_color;
    bool m_selected = false;
    bool m_checkable = false;
    QVariant m_id;
};

#endif
