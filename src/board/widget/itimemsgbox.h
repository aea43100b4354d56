#ifndef ITIMEMSGBOX_H
#define ITIMEMSGBOX_H

#include <QColor>
#include <QFont>
#include <QList>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QWidget>

class QLabel;
class QPropertyAnimation;
class QTimer;

// A transient notice: one line of white text on a dark plate, shown for a while and
// then faded out. QPoint(-1000, -1000) centres it on the screen under the cursor.
class ITimeMsgBox : public QWidget
{
    Q_OBJECT
public:
    explicit ITimeMsgBox(QWidget* parent = nullptr);
    ~ITimeMsgBox() override;

    // The process-wide notice, created on first use; destroyInstance() deletes it
    // while the application object still exists.
    static ITimeMsgBox* instance();
    static void destroyInstance();

    // Shows text for ms, replacing a message of this kind still on screen; it waits for
    // a notice given with showNotice() that is still in its time.
    void showMessageBox(const QString& text, int ms, QPoint pos);
    // A notice the user must read: shown centred for ms once every message before it
    // has had its time. An exact repeat of one shown or waiting is dropped.
    void showNotice(const QString& text, int ms);
    void showMessageBox(const QString& text, QPoint pos);
    void setFont(const QFont& font, QColor color);
    void setBackgroundColor(const QColor& color, int radius);

    bool isFading() const;

    // How long to show text: ms for one line, and longer for each line more, wrapped
    // ones too, so that a notice listing several files or a long sentence stays until
    // it can be read.
    static int readingTime(const QString& text, int ms = 1000);

protected:
    virtual void CreateUI();
    // While shown, a window shown later (the main window maximized at start-up) is
    // not left over the notice.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

protected slots:
    void slTimeout();

private:
    struct Message
    {
        QString text;
        int ms;
        QPoint pos;
        bool mustRead;
    };
    // A message still in its time is on screen.
    bool busy() const;
    void queue(const Message& message);
    void present(const Message& message);
    void resizeToText(const QString& text);
    void stopFade();

    QLabel* m_label = nullptr;
    QWidget* m_plate = nullptr;
    QTimer* m_timer = nullptr;
    QPointer<QPropertyAnimation> m_fade;
    QList<Message> m_waiting;
    QString m_shownText;
    bool m_shownMustRead = false;
};

#endif
