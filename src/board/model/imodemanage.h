#ifndef IMODEMANAGE_H
#define IMODEMANAGE_H

#include <functional>
#include <map>
#include <memory>

#include <QList>
#include <QSet>
#include <QString>

#include "board/iboardenum.h"

class IBoard;
class IModeBase;
class IDeviceEventArgs;

// The board's mode registry: one instance of every registered mode per board, the
// current one driven by the board's pointer input.
//
// Modes join through registerMode() from their own code, before or after boards exist;
// the board itself names none of them. Register from a function the program calls
// (not from a static object: the linker drops unreferenced objects of a static library).
class IModeManage
{
public:
    using Factory = std::function<IModeBase*(IBoard*)>;

    // One instance made by factory serves every type in types (none: built, never current).
    // A later registration of the same name or type replaces the earlier one.
    static void registerMode(const QString& name, const QList<TX_IBOARD_ENUM::ModeType>& types,
                             Factory factory);
    static void unregisterMode(const QString& name);
    // Figure kind the registry hands a figure-typed mode for a mode type (FIGURE_NONE: none).
    static TX_IBOARD_ENUM::FigureType figureTypeFor(TX_IBOARD_ENUM::ModeType type);
    // Types that never change the current mode.
    static bool leavesModeUnchanged(TX_IBOARD_ENUM::ModeType type);

    explicit IModeManage(IBoard* board);
    ~IModeManage();

    // Builds every registered mode and starts in the select type.
    void initialzieModes();
    void setCurrentMode(TX_IBOARD_ENUM::ModeType type);

    TX_IBOARD_ENUM::ModeType currentModeType() const { return m_type; }
    IModeBase* currentMode() const { return m_current; }
    // The instance registered under name, built on demand (null if none is registered).
    IModeBase* mode(const QString& name);

    void setSwitchEnabled(bool enabled) { m_switchEnabled = enabled; }
    bool isSwitchEnabled() const { return m_switchEnabled; }

    void deviceDown(IDeviceEventArgs* args);
    void deviceMove(IDeviceEventArgs* args);
    void deviceUp(IDeviceEventArgs* args);
    // A pointer is down on the board (between a press and its release, or a mode switch).
    bool isGestureActive() const { return !m_down.isEmpty(); }

private:
    IModeBase* modeForType(TX_IBOARD_ENUM::ModeType type);
    bool isActive(IModeBase* mode) const;

    IBoard* m_board;
    std::unique_ptr<IModeBase> m_emptyMode;
    std::map<QString, std::unique_ptr<IModeBase>> m_modes;
    IModeBase* m_current = nullptr;
    TX_IBOARD_ENUM::ModeType m_type = TX_IBOARD_ENUM::MODE_SELECT;
    bool m_switchEnabled = true;
    QSet<int> m_down;
};

#endif
