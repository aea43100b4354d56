#include "board/item/itextelementtoolbar.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QListView>

#include "board/iboard.h"
#include "board/item/itextelement.h"
#include "board/item/itextelementframe.h"
#include "board/widget/icolorpalette.h"
#include "board/widget/itoolbutton.h"
#include "customui/iwindowplace.h"
#include "iglobal.h"

QComboBox* createStyledComboBox(const QStringList& items, int height, const QFont& boxFont, int itemHeight,
                                const QFont& listFont, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->addItems(items);
    auto* view = new QListView(box);
    view->setFont(listFont);
    box->setView(view);
    box->setFont(boxFont);
    const double s = GSQUARERATE;
    box->setStyleSheet(
        QStringLiteral("QComboBox{border: %1px solid gray; border-radius: %3px; padding: %1px %2px %1px %2px;"
                       " height: %5px; min-width: 5em;}"
                       "QComboBox QAbstractItemView::item{height: %6px;}"
                       "QComboBox::drop-down{subcontrol-origin: padding; subcontrol-position: top right;"
                       " width: %4px; border-left-width: %1px; border-left-color: darkgray;"
                       " border-left-style: solid; border-top-right-radius: %3px;"
                       " border-bottom-right-radius: %3px;}"
                       "QComboBox::down-arrow{width: %7px; height: %7px; image: url(:/ui/ui/downArrow.svg);}")
            .arg(s)
            .arg(2 * s)
            .arg(3 * s)
            .arg(30 * s)
            .arg(height * s)
            .arg(itemHeight * s)
            .arg(20 * s));
    return box;
}

const QStringList& ITextElementToolBar::fontSizes()
{
    static const QStringList sizes = {
        "3",  "4",  "5",  "6",  "6.5", "7",  "7.5", "8",  "8.8", "9",  "9.5", "10", "10.5",
        "11", "11.5", "12", "12.5", "13", "13.5", "14", "15", "16", "17", "18", "19", "20",
        "22", "24", "26", "28", "30", "32", "34", "36", "38", "40", "44", "48", "52", "56",
        "62", "72", "76", "80", "88", "96", "104", "112", "120", "128", "136", "144"};
    return sizes;
}

ITextElementToolBar::ITextElementToolBar(QGraphicsItem* delegate, ITextElementFrame* frame, IBoard* board,
                                         QWidget* parent)
    : IBaseWidget(parent), m_board(board), m_delegate(delegate), m_delegateGuard(dynamic_cast<QObject*>(delegate)),
      m_frame(frame)
{
    CreateUI();
    setWindowFlags(Qt::WindowStaysOnTopHint);
}

ITextElementToolBar::~ITextElementToolBar()
{
    delete m_palette;
}

IColorPalette* ITextElementToolBar::palette() const
{
    return m_palette;
}

void ITextElementToolBar::CreateUI()
{
    const double s = GSQUARERATE;
    setMinimumWidth(int(280 * s));
    m_sizeBox = createStyledComboBox(fontSizes(), int(40 * s), scaledUiFont(14, 50), int(35 * s),
                                     scaledUiFont(16, 50), this);
    m_familyBox = createStyledComboBox(QFontDatabase().families(), int(40 * s), scaledUiFont(16, 50),
                                       int(35 * s), scaledUiFont(14, 50), this);
    // The text being edited keeps the keyboard: the controls work by pointer.
    m_sizeBox->setFocusPolicy(Qt::NoFocus);
    m_familyBox->setFocusPolicy(Qt::NoFocus);
    m_sizeBox->setCurrentText(QStringLiteral("36"));
    m_familyBox->setCurrentText(QStringLiteral("Arial"));

    auto* first = new QHBoxLayout;
    first->addWidget(m_familyBox);
    first->addWidget(m_sizeBox);

    struct Tool { const char* id; const char* icon; void (ITextElementToolBar::*slot)(); };
    const Tool tools[] = {{"color", ":/ui/ui/txtcolor.svg", &ITextElementToolBar::onTextColor},
                          {"bold", ":/ui/ui/txtbold.svg", &ITextElementToolBar::onTextBold},
                          {"italic", ":/ui/ui/txtitalic.svg", &ITextElementToolBar::onTextItalic},
                          {"underline", ":/ui/ui/txtunderline.svg", &ITextElementToolBar::onTextUnderline}};
    auto* second = new QHBoxLayout;
    QList<IToolButton*> buttons;
    for (const Tool& tool : tools) {
        auto* button = new IToolButton(QVariant(QString::fromLatin1(tool.id)), QString::fromLatin1(tool.icon),
                                       IToolButton::NoRadius, QSize(30, 30), nullptr);
        button->setObjectName(QString::fromLatin1(tool.id));
        button->setFocusPolicy(Qt::NoFocus);
        second->addWidget(button);
        buttons.append(button);
    }

    auto* layout = new QVBoxLayout(this);
    const int m = int(10 * s);
    layout->setContentsMargins(m, m, m, m);
    layout->addLayout(first);
    layout->addLayout(second);
    adjustSize();

    m_sizeBox->installEventFilter(this);
    m_familyBox->installEventFilter(this);
    for (int i = 0; i < buttons.size(); ++i)
        connect(buttons.at(i), &QToolButton::clicked, this, tools[i].slot);
    connect(m_sizeBox, &QComboBox::currentTextChanged, this, &ITextElementToolBar::onChangeFontSize);
    connect(m_familyBox, &QComboBox::currentTextChanged, this, &ITextElementToolBar::onChangeFontFamily);

    m_palette = new IColorPalette(m_board);
    m_palette->setStyleSheet(QStringLiteral(".QWidget{background-color:%1;border-width:1px;border-style:solid;"
                                            "border-radius:10px;border-color:%2; }")
                                 .arg(QColor(250, 250, 250).name(), QColor(230, 230, 230).name()));
    m_palette->setWindowFlags(Qt::WindowStaysOnTopHint | Qt::FramelessWindowHint);
    m_palette->setAttribute(Qt::WA_TranslucentBackground);
    keepWindowWhereShown(m_palette);
    m_palette->setVisableSlider(false);
    m_palette->hide();
    connect(m_palette, &IColorPalette::sgChangeColor, m_palette, [this](const QColor& current, const QColor&) {
        ITextElement* element = text();
        if (!element || !element->isSelected())
            return;
        setColorPaletteVisible(false);
        element->setDefaultTextColor(current);
        element->setEditable(true);
        element->setFocus(Qt::OtherFocusReason);
    });
}

QGraphicsItem* ITextElementToolBar::delegate() const
{
    return m_delegateGuard ? m_delegate : nullptr;
}

ITextElement* ITextElementToolBar::text() const
{
    return dynamic_cast<ITextElement*>(delegate());
}

void ITextElementToolBar::setFrameVisible(const bool& b)
{
    setColorPaletteVisible(false);
    ITextElement* element = text();
    if (!b || !element || isVisible()) {
        setVisible(b);
        return;
    }
    // Showing a dialog may hand it the focus; the text being edited keeps it.
    const bool had = element->hasFocus();
    const bool could = element->canFocusOut();
    element->setCanFocusOut(false);
    setVisible(true);
    if (had && !element->hasFocus())
        refocusText();
    element->setCanFocusOut(could);
}

void ITextElementToolBar::setDelegate(QGraphicsItem* item)
{
    if (!item || item == delegate())
        return;
    m_delegate = item;
    m_delegateGuard = dynamic_cast<QObject*>(item);
    ITextElement* element = text();
    if (!element)
        return;
    const QFont f = element->font();
    m_sizeBox->setCurrentText(QString::number(f.pointSize()));
    m_familyBox->setCurrentText(f.family());
    m_palette->setPaletteColor(element->defaultTextColor());
}

void ITextElementToolBar::setColorPaletteVisible(const bool& b)
{
    if (m_palette->isVisible() == b)
        return;
    // While the palette shows, a click in it must not end the text's editing.
    if (ITextElement* element = text())
        element->setCanFocusOut(!b);
    m_palette->setVisible(b);
    if (b)
        m_palette->raise();
}

void ITextElementToolBar::onTextColor()
{
    if (!text())
        return;
    if (m_palette->isVisible()) {
        setColorPaletteVisible(false);
        return;
    }
    auto* button = qobject_cast<IToolButton*>(sender());
    if (!button)
        return;
    const double s = GSQUARERATE;
    const QPoint under((button->width() - m_palette->width()) / 2, int(button->height() + 20 * s * s));
    QPoint at = button->mapToGlobal(under);
    if (m_board)
        at = m_board->mapFromGlobal(at);
    m_palette->move(at);
    setColorPaletteVisible(true);
}

void ITextElementToolBar::onTextBold()
{
    setColorPaletteVisible(false);
    if (ITextElement* element = text())
        element->setTextBold();
}

void ITextElementToolBar::onTextItalic()
{
    setColorPaletteVisible(false);
    if (ITextElement* element = text())
        element->setTextItalic();
}

void ITextElementToolBar::onTextUnderline()
{
    setColorPaletteVisible(false);
    if (ITextElement* element = text())
        element->setTextUnderline();
}

void ITextElementToolBar::refocusText()
{
    ITextElement* element = text();
    if (!element)
        return;
    const bool could = element->canFocusOut();
    element->setCanFocusOut(false);
    setFocus(Qt::OtherFocusReason);
    // Keys reach the text only while the board view has the focus.
    if (m_board)
        m_board->setFocus(Qt::OtherFocusReason);
    element->setFocus(Qt::OtherFocusReason);
    element->setCanFocusOut(could);
}

void ITextElementToolBar::onChangeFontSize(const QString& value)
{
    ITextElement* element = text();
    if (!element)
        return;
    element->setFontSize(value.toFloat());
    refocusText();
}

void ITextElementToolBar::onChangeFontFamily(const QString& value)
{
    ITextElement* element = text();
    if (!element || value.isEmpty())
        return;
    element->setFontFamily(value);
    refocusText();
}

bool ITextElementToolBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_sizeBox || watched == m_familyBox) {
        if (event->type() == QEvent::Enter) {
            if (ITextElement* element = text()) {
                element->setCanFocusOut(false);
                element->setFocus(Qt::OtherFocusReason);
            }
            return true;
        }
        if (event->type() == QEvent::Leave) {
            if (ITextElement* element = text()) {
                element->setFocus(Qt::OtherFocusReason);
                element->setCanFocusOut(true);
            }
            return true;
        }
    }
    return IBaseWidget::eventFilter(watched, event);
}
