#ifndef IBOARDSTATE_H
#define IBOARDSTATE_H

#include <QColor>
#include <QPointer>
#include <QSizeF>

#include "board/item/iabstractelements.h"

// The board's drawing state, read by the modes.
class IBoardState
{
public:
    QColor inkColor = QColor(Qt::red);
    int inkOpacity = 255;        // 0 to 255
    double inkThickness = 4.0;
    int figureThickness = 2;
    QColor figureBackground = QColor(Qt::transparent);
    QSizeF pointEraserSize = QSizeF(30, 30);   // width = eraser diameter

    void setTouchingBoard(bool touching)
    {
        if (touching != m_touching)
            m_touching = touching;
    }
    bool isTouchingBoard() const { return m_touching; }

    // The text element being edited; forgotten by itself when the element is deleted.
    void setTextElement(IAbstractGraphicsTextElement* element) { m_textElement = element; }
    IAbstractGraphicsTextElement* textElement() const { return m_textElement.data(); }

private:
    bool m_touching = false;
    QPointer<IAbstractGraphicsTextElement> m_textElement;
};

#endif
