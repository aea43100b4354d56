#ifndef ISVGLOGO_H
#define ISVGLOGO_H

#include <QWidget>

class QSvgRenderer;

// A picture drawn from its SVG file over the whole widget at every paint, so it stays
// sharp at any device pixel ratio, on whichever screen the window stands.
class ISvgLogo : public QWidget
{
    Q_OBJECT
public:
    ISvgLogo(const QString& file, QWidget* parent = nullptr);

    // False when the file could not be read: nothing is drawn.
    bool isValid() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSvgRenderer* m_renderer = nullptr;
};

#endif
