#ifndef ICOMMONTEXTELEMENTFRAME_H
#define ICOMMONTEXTELEMENTFRAME_H

#include <QPointer>

#include "board/iboardenum.h"
#include "board/item/itextelementframe.h"
#include "board/item/itextelementtoolbar.h"
#include "board/widget/ibasewidget.h"

class IBoard;
class IElement;
class IToolButton;
class QMenu;
class QToolButton;

// The scene frame of every page: the text frame with handle icons, a floating
// Lock/Copy/Delete menu under the selected item and the text tool bar while a text is
// edited. Menu and tool bar are child widgets of the board, placed from scene positions
// for each board rotation.
class ICommonTextElementFrame : public ITextElementFrame
{
    Q_OBJECT
public:
    ICommonTextElementFrame(bool unused, IBoard* board, QGraphicsItem* parent = nullptr);
    ~ICommonTextElementFrame() override;

    void updateFrame() override;
    using ITextElementFrame::updateFrame;
    void drawFrameExtension(QPainter* painter) override;
    void showFrame(bool show) override;
    QRectF getUnlockAread() const override;
    void textItemEndEdit() override;
    void lock(bool b) override;
    void unlock(bool b) override;

    bool isTextEditorShown() const { return m_textEditorShown; }
    void hideSecondLevelWidgets() {}
    void createTextEditorToolbar();
    QPixmap loadPixmapInHighRes(const QString& path) const;
    QToolButton* createButton(const QString& text, const QString& icon) const;

    IBaseWidget* menu() const { return m_menu; }
    ITextElementToolBar* textToolBar() const { return m_toolBar; }
    IToolButton* lockButton() const { return m_lockButton; }
    IToolButton* copyButton() const { return m_copyButton; }
    IToolButton* deleteButton() const { return m_deleteButton; }
    QPoint menuPosition() const { return m_menuPos; }
    QPoint toolBarPosition() const { return m_toolBarPos; }

signals:
    void sgItemPropertyChanged(IElement* elem);
    void sgModeChanged(TX_IBOARD_ENUM::ModeType curMode);
    void sgGotoPage(int page);

public slots:
    void onTransformBeforeChanged();
    void onTransformChanging();
    void onTransformAfterChanged(const QSet<QGraphicsItem*>& items);
    void onDelete();
    void onLock();
    void onClone();
    void onMenu();
    void onEnterTextEditor();
    void onLeaveTextEditor();
    void onSelectionChanged(bool bSelected);
    void onItemPropertyChanged(IElement* elem01, IElement* elem02);
    void onEndTextEditState();
    void setCustomMenuVisible(bool bVisible) { m_menuAllowed = bVisible; }
    void showCustomMenuWidget();

protected:
    void updateCustomMenuPos();
    void updateCustomMenuState();
    void updateTextEditorPos();
    void createCustomMenuWidget();

private:
    void hideMenu();

    QPoint m_menuPos;
    QPointer<IBaseWidget> m_menu;
    QPoint m_toolBarPos;
    QPointer<ITextElementToolBar> m_toolBar;
    bool m_textEditorShown = false;
    QPointer<IBoard> m_board;
    IToolButton* m_deleteButton = nullptr;
    IToolButton* m_lockButton = nullptr;
    IToolButton* m_copyButton = nullptr;
    QMenu* m_popupMenu = nullptr;
    bool m_menuAllowed = true;
};

#endif
