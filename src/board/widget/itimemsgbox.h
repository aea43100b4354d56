#ifndef ITIMEMSGBOX_H
#define ITIMEMSGBOX_H

#include <QColor>
#include <QFont>
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

    void showMessageBox(const QString& text, int ms, QPoint pos);
    void showMessageBox(const QString& text, QPoint pos);
    void setFont(const QFont& font, QColor color);
    void setBackgroundColor(const QColor& color, int radius);

    bool isFading() const;

    // How long to show text: ms for one line, and longer for each line more, so that
    // a notice listing several files stays until it can be read.
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
    void resizeToText(const QString& text);
    void stopFade();

    QLabel* m_label = nullptr;
    QWidget* m_plate = nullptr;
    QTimer* m_timer = nullptr;
    QPointer<QPropertyAnimation> m_fade;
};

#endif
