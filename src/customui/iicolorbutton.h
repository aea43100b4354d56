#ifndef IICOLORBUTTON_H
#define IICOLORBUTTON_H

#include <QColor>
#include <QSize>
#include <QToolButton>
#include <QVariant>

// Round colour swatch; its size is given unscaled and multiplied by IGSQUARERATE here.
class IIColorButton : public QToolButton
{
    Q_OBJECT
public:
    IIColorButton(QVariant id, const QColor& color, const bool& checkable, const QSize& size,
                  QWidget* parent = nullptr);

    QVariant id() const { return m_id; }
    QColor color() const { return m_color; }
    bool selectState() const { return m_selectState; }
    // Stores the selection and the check state; emits no click.
    virtual void setSelectState(const bool& b);

signals:
    void sgButtonClick(bool checked, QVariant id);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QVariant m_id;
    QColor m_color;
    bool m_selectState = false;
};

#endif
