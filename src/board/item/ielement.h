#ifndef IELEMENT_H
#define IELEMENT_H

#include <QDebug>
#include <QGraphicsItem>
#include <QMatrix>
#include <QString>
#include <QVariant>

#include "board/iboardenum.h"

// Item data keys under which IElementImpl keeps an element's identity.
namespace IElementKey {
constexpr int Id = 1;
constexpr int Locked = 24;
constexpr int Layer = 25;
}

// The interface every board element implements.
class IElement
{
public:
    virtual ~IElement() = default;

    virtual void setId(const QString& id) = 0;
    virtual QString getId() const = 0;
    virtual void setLayer(double layer) = 0;
    virtual double getLayer() const = 0;
    virtual void setLocked(bool locked) = 0;
    virtual bool isLocked() const = 0;
    // Keys 33 to 36 (file path, file id, tag, tag data); others are ignored / invalid.
    virtual void setElementProperty(TX_IBOARD_ENUM::ElementStype key, const QVariant& value);
    virtual QVariant getElementProperty(TX_IBOARD_ENUM::ElementStype key) const;
    virtual void setTag(int tag) = 0;
    virtual void setTagData(const QVariant& data) = 0;
    virtual void setTagAll(int tag, const QVariant& data) = 0;
    virtual int tag() const = 0;
    virtual QVariant tagData() const = 0;
    virtual bool isEmpty() const { return false; }
    // Setting the file path also derives a new file id from it.
    virtual void setFilePath(const QString& path) = 0;
    virtual void setFileId(const QString& id) = 0;
    virtual QString filePath() const = 0;
    virtual QString fileId() const = 0;
    // A new parentless copy, owned by the caller and not on any page.
    virtual IElement* deepCopy() const = 0;
    virtual void copyItemParameters(IElement* target) const = 0;

    // What an element is not, by default.
    virtual bool isGroup() const { return false; }
    virtual bool isBackground() const { return false; }
    virtual bool isTemplate() const { return false; }
    virtual bool isLinked() const { return false; }
    // What an element allows, by default.
    virtual bool isSelectable() const { return true; }
    virtual bool isMovable() const { return true; }
    virtual bool isScalable() const { return true; }
    virtual bool isRotatable() const { return true; }
    virtual bool isDeletable() const { return true; }
};

// The graphics item behind an element (null for something that is not an item).
inline QGraphicsItem* elementItem(IElement* element)
{
    return dynamic_cast<QGraphicsItem*>(element);
}

// The element behind a graphics item (null for plain items).
inline IElement* itemElement(QGraphicsItem* item)
{
    return dynamic_cast<IElement*>(item);
}

Q_DECLARE_METATYPE(IElement*)

QString createUuidString();
QString matrixToString(const QMatrix& matrix);
// Parses the text of matrixToString; anything else gives the identity.
QMatrix stringToMatrix(const QString& text);
// The file id an element derives from its file path.
QString fileIdFromPath(const QString& path);

// IElement over one Qt graphics item class: identity in the item's data slots,
// tag and file attributes as members.
template <class T>
class IElementImpl : public T, public IElement
{
public:
    template <typename... Args>
    explicit IElementImpl(Args&&... args) : T(std::forward<Args>(args)...) {}

    void setId(const QString& id) override { T::setData(IElementKey::Id, id); }
    QString getId() const override { return T::data(IElementKey::Id).toString(); }
    // The layer is bookkeeping only: the z value is set by whoever stacks the element.
    void setLayer(double layer) override { T::setData(IElementKey::Layer, layer); }
    double getLayer() const override { return T::data(IElementKey::Layer).toDouble(); }
    void setLocked(bool locked) override { T::setData(IElementKey::Locked, locked); }
    bool isLocked() const override { return T::data(IElementKey::Locked).toBool(); }

    // Keys 1 and 24 to 28 (id, locked, layer, matrix text, x, y) on the item; others as IElement.
    QVariant getElementProperty(TX_IBOARD_ENUM::ElementStype key) const override
    {
        switch (key) {
        case TX_IBOARD_ENUM::ELEMENT_ID:
            return getId();
        case TX_IBOARD_ENUM::ELEMENT_LOCKED:
            return isLocked();
        case TX_IBOARD_ENUM::ELEMENT_LAYER:
            return getLayer();
        case TX_IBOARD_ENUM::ELEMENT_MATRIX:
            return matrixToString(T::matrix());
        case TX_IBOARD_ENUM::ELEMENT_X:
            return T::pos().x();
        case TX_IBOARD_ENUM::ELEMENT_Y:
            return T::pos().y();
        default:
            return IElement::getElementProperty(key);
        }
    }
    void setElementProperty(TX_IBOARD_ENUM::ElementStype key, const QVariant& value) override
    {
        switch (key) {
        case TX_IBOARD_ENUM::ELEMENT_ID:
            setId(value.toString());
            break;
        case TX_IBOARD_ENUM::ELEMENT_LOCKED:
            setLocked(value.toBool());
            break;
        case TX_IBOARD_ENUM::ELEMENT_LAYER:
            setLayer(value.toDouble());
            break;
        case TX_IBOARD_ENUM::ELEMENT_MATRIX: {
            // A matrix that cannot be inverted would make the item vanish for good.
            const QMatrix m = stringToMatrix(value.toString());
            if (m.isInvertible())
                T::setMatrix(m, false);
            break;
        }
        case TX_IBOARD_ENUM::ELEMENT_X:
            T::setPos(value.toDouble(), T::pos().y());
            break;
        case TX_IBOARD_ENUM::ELEMENT_Y:
            T::setPos(T::pos().x(), value.toDouble());
            break;
        default:
            IElement::setElementProperty(key, value);
            break;
        }
    }

    void setTag(int tag) override { m_tag = tag; }
    void setTagData(const QVariant& data) override { m_tagData = data; }
    void setTagAll(int tag, const QVariant& data) override
    {
        setTag(tag);
        setTagData(data);
    }
    int tag() const override { return m_tag; }
    QVariant tagData() const override { return m_tagData; }

    void setFilePath(const QString& path) override
    {
        m_filePath = path;
        m_fileId = fileIdFromPath(path);
    }
    void setFileId(const QString& id) override { m_fileId = id; }
    QString filePath() const override { return m_filePath; }
    QString fileId() const override { return m_fileId; }

    // Copies layer, lock, position, matrix, file path, tag and tag data onto an element
    // of the same base; the id stays the target's own.
    void copyItemParameters(IElement* target) const override
    {
        auto* other = dynamic_cast<IElementImpl<T>*>(target);
        if (!other)
            return;
        other->setLayer(getLayer());
        other->setLocked(isLocked());
        other->setPos(T::pos());
        other->setMatrix(T::matrix(), false);
        other->setFilePath(filePath());
        other->setTag(tag());
        other->setTagData(tagData());
        qDebug() << "copyItemParameters - pos(): " << T::pos() << T::matrix();
    }

private:
    int m_tag = 0;
    QVariant m_tagData;
    QString m_filePath;
    QString m_fileId;
};

// Identity of the figure and text elements: data keys 0 (id), 1 (layer) and 3 (lock),
// and the layer is also the z value. Base is an IElementImpl, whose own keys these
// accessors replace entirely, so no write reaches the other set.
template <class Base>
class IStackedElement : public Base
{
public:
    enum Key { IdKey = 0, LayerKey = 1, LockKey = 3 };
    using Base::Base;

    void setId(const QString& id) override { Base::setData(IdKey, id); }
    QString getId() const override { return Base::data(IdKey).toString(); }
    void setLayer(double layer) override
    {
        Base::setData(LayerKey, layer);
        Base::setZValue(layer);
    }
    double getLayer() const override { return Base::data(LayerKey).toDouble(); }
    void setLocked(bool locked) override { Base::setData(LockKey, locked); }
    bool isLocked() const override { return Base::data(LockKey).toBool(); }
};

#endif
