#include "board/model/imodemanage.h"

#include <QDebug>
#include <QHash>
#include <QMap>

#include "board/model/imodebase.h"

using namespace TX_IBOARD_ENUM;

namespace {

// Stands in while no mode serves the current type.
class IEmptyMode : public IModeBase
{
public:
    explicit IEmptyMode(IBoard* board) : IModeBase(board) { m_name = QStringLiteral("_empty_"); }
    void deviceDown(IDeviceEventArgs*) override {}
    void deviceMove(IDeviceEventArgs*) override {}
    void deviceUp(IDeviceEventArgs*) override {}
};

struct Registry
{
    QMap<QString, IModeManage::Factory> factories;
    QHash<int, QString> typeNames;
};

Registry& registry()
{
    static Registry r;
    return r;
}

} // namespace

void IModeManage::registerMode(const QString& name, const QList<ModeType>& types, Factory factory)
{
    Registry& r = registry();
    r.factories.insert(name, std::move(factory));
    for (ModeType type : types)
        r.typeNames.insert(type, name);
}

void IModeManage::unregisterMode(const QString& name)
{
    Registry& r = registry();
    r.factories.remove(name);
    for (auto it = r.typeNames.begin(); it != r.typeNames.end();) {
        if (it.value() == name)
            it = r.typeNames.erase(it);
        else
            ++it;
    }
}

FigureType IModeManage::figureTypeFor(ModeType type)
{
    static const QHash<int, FigureType> table = {
        // Shape path mode.
        {9, FIGURE_LINE}, {19, FIGURE_CIRCLE}, {20, FIGURE_ELLIPSE},
        {21, FIGURE_RECTANGLE}, {24, FIGURE_ISOSCELES_TRIANGLE},
        // Figure mode.
        {11, FIGURE_LINE_3}, {13, FIGURE_LINE_5}, {15, FIGURE_LINE_9}, {17, FIGURE_LINE_7},
        {23, FIGURE_PARALLELOGRAM}, {25, FIGURE_REGULAR_TRIANGLE}, {26, FIGURE_REGULAR_PENTAGON},
        {27, FIGURE_REGULAR_HEXAGON}, {28, FIGURE_REGULAR_OCTAGON}, {29, FIGURE_STAR},
        {30, FIGURE_WAVE_LINE}, {32, FIGURE_CUBE}, {33, FIGURE_CONE}, {34, FIGURE_CYLINDER},
        {36, FIGURE_DIHEDRAL}, {37, FIGURE_HEMISPHERE}, {38, FIGURE_TRIANGULAR_PYRAMID},
        {39, FIGURE_BALL}};
    return table.value(type, FIGURE_NONE);
}

bool IModeManage::leavesModeUnchanged(ModeType type)
{
    switch (static_cast<int>(type)) {
    case 6: case 7: case 8: case 10: case 12: case 14: case 16: case 18: case 22: case 31: case 35:
        return true;
    default:
        return type >= MODE_TYPE_END;
    }
}

IModeManage::IModeManage(IBoard* board)
    : m_board(board), m_emptyMode(new IEmptyMode(board)), m_current(m_emptyMode.get())
{
}

IModeManage::~IModeManage() = default;

void IModeManage::initialzieModes()
{
    const QList<QString> names = registry().factories.keys();
    for (const QString& name : names)
        mode(name);
    m_type = MODE_SELECT;
    IModeBase* select = modeForType(MODE_SELECT);
    m_current = select ? select : m_emptyMode.get();
}

IModeBase* IModeManage::mode(const QString& name)
{
    auto it = m_modes.find(name);
    if (it != m_modes.end())
        return it->second.get();
    const Registry& r = registry();
    auto factory = r.factories.constFind(name);
    if (factory == r.factories.constEnd() || !*factory)
        return nullptr;
    IModeBase* created = (*factory)(m_board);
    if (!created)
        return nullptr;
    m_modes[name].reset(created);
    return created;
}

IModeBase* IModeManage::modeForType(ModeType type)
{
    const QString name = registry().typeNames.value(type);
    return name.isEmpty() ? nullptr : mode(name);
}

bool IModeManage::isActive(IModeBase* mode) const
{
    return m_switchEnabled && mode && mode != m_emptyMode.get();
}

void IModeManage::setCurrentMode(ModeType type)
{
    if (type == m_type) {
        // The pen re-reads its colour when asked again.
        if (type == MODE_PEN && isActive(m_current))
            m_current->switchOn();
        return;
    }
    if (leavesModeUnchanged(type))
        return;
    IModeBase* next = modeForType(type);
    if (!next) {
        qDebug() << "no mode registered for type" << int(type);
        return;
    }
    m_type = type;
    m_down.clear();
    if (isActive(m_current))
        m_current->switchOff();
    m_current = next;
    const FigureType figure = figureTypeFor(type);
    if (figure != FIGURE_NONE) {
        if (auto* typed = dynamic_cast<IFigureTypedMode*>(next))
            typed->setFigureType(figure);
    }
    if (isActive(m_current))
        m_current->switchOn();
}

void IModeManage::deviceDown(IDeviceEventArgs* args)
{
    if (args)
        m_down.insert(args->id());
    if (m_current && m_current->isEnabled())
        m_current->deviceDown(args);
}

void IModeManage::deviceMove(IDeviceEventArgs* args)
{
    if (m_current && m_current->isEnabled())
        m_current->deviceMove(args);
}

void IModeManage::deviceUp(IDeviceEventArgs* args)
{
    if (m_current && m_current->isEnabled())
        m_current->deviceUp(args);
    if (args)
        m_down.remove(args->id());
}
