#ifndef ISLIDER_H
#define ISLIDER_H

#include <QSlider>
#include <QWidget>

class QCheckBox;
class QLineEdit;

// A slider with a thin rounded groove, filled in the kit's accent colour on one side,
// and a round white handle. The size factor multiplies every length of its style.
class ISlider : public QSlider
{
    Q_OBJECT
public:
    explicit ISlider(Qt::Orientation orientation, QWidget* parent = nullptr);
    ISlider(int factor, Qt::Orientation orientation, QWidget* parent = nullptr);

    int sizeFactor() const { return m_factor; }
    // true: the filled part on the right; false: on the left (from the bottom when vertical).
    virtual void setCustomStyle(const bool& b);

private:
    int m_factor = 1;
};

// A slider with a numeric value field and an optional check box. Field and slider follow
// each other; value changes are reported as sgValueChanged, check box changes as
// sgStateChanged. A checked box disables slider and field.
class ICustomSlider : public QWidget
{
    Q_OBJECT
public:
    ICustomSlider(Qt::Orientation orientation, int factor, QWidget* parent = nullptr);
    ICustomSlider(const bool& checkBox, Qt::Orientation orientation, int factor, QWidget* parent = nullptr);

    virtual int minimum() const;
    virtual int maximum() const;
    virtual void setMinimum(const int& v);
    virtual void setMaximum(const int& v);
    virtual int value() const;
    // notify false keeps the change this call makes from being reported; later ones are.
    virtual void setValue(const int& v, const bool& checked, const bool& notify);
    virtual void setRange(const int& min, const int& max);
    virtual void setSingleStep(const int& step);

    bool hasCheckBox() const { return m_hasCheckBox; }
    ISlider* slider() const { return m_slider; }
    QLineEdit* valueField() const { return m_field; }
    QCheckBox* checkBox() const { return m_checkBox; }

signals:
    void sgValueChanged(int value);
    void sgStateChanged(int state);

protected:
    virtual void CreateUI();

private:
    void updateValidator();

    bool m_emitNext = true;
    bool m_hasCheckBox = false;
    QCheckBox* m_checkBox = nullptr;
    ISlider* m_slider = nullptr;
    QLineEdit* m_field = nullptr;
    bool m_fieldDrivesSlider = true;
    bool m_sliderDrivesField = true;
    Qt::Orientation m_orientation;
    int m_factor = 1;
};

#endif
