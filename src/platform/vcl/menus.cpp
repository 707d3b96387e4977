#include "platform/vcl/menus.h"

#include <QAction>
#include <QIcon>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>

#include "platform/exception_boundary.h"

namespace {

// The Qt key for a platform virtual key; Qt::Key_unknown when there is none.
Qt::Key VirtualKeyToQtKey(uint8_t key)
{
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return Qt::Key(key); // Qt numbers digits and letters by their ASCII codes
    if (key >= 0x70 && key <= 0x87)
        return Qt::Key(Qt::Key_F1 + (key - 0x70));
    if (key >= 0x60 && key <= 0x69)
        return Qt::Key(Qt::Key_0 + (key - 0x60)); // number pad digits
    switch (key) {
    case 0x08: return Qt::Key_Backspace;
    case 0x09: return Qt::Key_Tab;
    case 0x0D: return Qt::Key_Return;
    case 0x13: return Qt::Key_Pause;
    case 0x1B: return Qt::Key_Escape;
    case 0x20: return Qt::Key_Space;
    case 0x21: return Qt::Key_PageUp;
    case 0x22: return Qt::Key_PageDown;
    case 0x23: return Qt::Key_End;
    case 0x24: return Qt::Key_Home;
    case 0x25: return Qt::Key_Left;
    case 0x26: return Qt::Key_Up;
    case 0x27: return Qt::Key_Right;
    case 0x28: return Qt::Key_Down;
    case 0x2D: return Qt::Key_Insert;
    case 0x2E: return Qt::Key_Delete;
    case 0x6A: return Qt::Key_Asterisk;
    case 0x6B: return Qt::Key_Plus;
    case 0x6D: return Qt::Key_Minus;
    case 0x6E: return Qt::Key_Period;
    case 0x6F: return Qt::Key_Slash;
    case 0xBA: return Qt::Key_Semicolon;
    case 0xBB: return Qt::Key_Equal;
    case 0xBC: return Qt::Key_Comma;
    case 0xBD: return Qt::Key_Minus;
    case 0xBE: return Qt::Key_Period;
    case 0xBF: return Qt::Key_Slash;
    case 0xC0: return Qt::Key_QuoteLeft;
    case 0xDB: return Qt::Key_BracketLeft;
    case 0xDC: return Qt::Key_Backslash;
    case 0xDD: return Qt::Key_BracketRight;
    case 0xDE: return Qt::Key_Apostrophe;
    default: return Qt::Key_unknown;
    }
}

QKeySequence ShortCutToKeySequence(TShortCut shortCut)
{
    const Qt::Key key = VirtualKeyToQtKey(uint8_t(shortCut & 0xFF));
    if (key == Qt::Key_unknown)
        return QKeySequence();
    Qt::KeyboardModifiers modifiers;
    if (shortCut & scShift)
        modifiers |= Qt::ShiftModifier;
    if (shortCut & scCtrl)
        modifiers |= Qt::ControlModifier;
    if (shortCut & scAlt)
        modifiers |= Qt::AltModifier;
    return QKeySequence(QKeyCombination(modifiers, key));
}

} // namespace

TMenuItem::TMenuItem() : m_action(std::make_unique<QAction>())
{
    QObject::connect(m_action.get(), &QAction::triggered, [this] {
        // Qt flips a checkable action by itself; the check mark follows Checked only.
        m_action->setChecked(m_checked);
        Click();
    });
}

TMenuItem::~TMenuItem()
{
    if (m_parent) {
        // Taken out of the parent's list, so that a freed item is never listed. Searched
        // from the back: Clear frees the last item first.
        m_parent->m_items.removeAt(m_parent->m_items.lastIndexOf(this));
        if (m_parent->m_menu)
            m_parent->m_menu->removeAction(m_action.get());
        m_parent->UpdateSubMenu();
        m_parent = nullptr;
    }
    // The menu goes first, so that freeing the sub-items does not update it one by one.
    m_action->setMenu(static_cast<QMenu *>(nullptr));
    m_menu.reset();
    Clear();
}

void TMenuItem::SetCaption(const QString &Caption)
{
    m_caption = Caption;
    m_action->setSeparator(Caption == QLatin1String("-"));
    m_action->setText(Caption);
}

void TMenuItem::SetHint(const QString &Hint)
{
    m_hint = Hint;
    UpdateToolTip();
}

void TMenuItem::SetShortCut(TShortCut ShortCut)
{
    m_shortCut = ShortCut;
    m_action->setShortcut(ShortCutToKeySequence(ShortCut));
}

void TMenuItem::SetRadioItem(bool RadioItem)
{
    m_radioItem = RadioItem;
    UpdateCheckable();
    if (m_radioItem && m_checked)
        TurnSiblingsOff();
}

void TMenuItem::SetGroupIndex(uint8_t GroupIndex)
{
    m_groupIndex = GroupIndex;
    if (m_radioItem && m_checked)
        TurnSiblingsOff();
}

void TMenuItem::SetEnabled(bool Enabled)
{
    m_enabled = Enabled;
    m_action->setEnabled(Enabled);
}

void TMenuItem::SetDefault(bool Default)
{
    m_default = Default;
    QFont font = m_action->font();
    font.setBold(Default);
    m_action->setFont(font);
}

void TMenuItem::SetChecked(bool Checked)
{
    m_checked = Checked;
    UpdateCheckable();
    m_action->setChecked(Checked);
    if (m_radioItem && m_checked)
        TurnSiblingsOff();
}

void TMenuItem::SetAutoCheck(bool AutoCheck)
{
    m_autoCheck = AutoCheck;
    UpdateCheckable();
}

void TMenuItem::SetVisible(bool Visible)
{
    m_visible = Visible;
    m_action->setVisible(Visible);
}

void TMenuItem::SetBitmap(const TBitmap &Bitmap)
{
    m_bitmap = Bitmap;
    const QImage image = m_bitmap.Image();
    m_action->setIcon(image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image)));
}

TMenuItem *TMenuItem::Items(int Index) const
{
    if (Index < 0 || Index >= m_items.size())
        throw EMenuError(QStringLiteral("Menu index out of range"));
    return m_items.at(Index);
}

void TMenuItem::Add(TMenuItem *Item)
{
    Insert(Count(), Item);
}

void TMenuItem::Insert(int Index, TMenuItem *Item)
{
    if (!Item)
        return;
    if (Item->m_parent || Item == this)
        throw EMenuError(QStringLiteral("Menu inserted twice"));
    if (Index < 0 || Index > m_items.size())
        throw EMenuError(QStringLiteral("Menu index out of range"));
    m_items.insert(Index, Item);
    Item->m_parent = this;
    if (m_menu) {
        QAction *before = Index + 1 < m_items.size() ? m_items.at(Index + 1)->Action() : nullptr;
        m_menu->insertAction(before, Item->Action());
    }
    UpdateSubMenu();
}

void TMenuItem::Delete(int Index)
{
    delete Items(Index); // its destructor takes it out of this list
}

void TMenuItem::Clear()
{
    while (!m_items.isEmpty())
        delete m_items.last();
}

void TMenuItem::Click()
{
    if (!m_enabled)
        return;
    if (m_autoCheck)
        SetChecked(m_radioItem ? true : !m_checked);
    if (OnClick)
        GuardedCall([this] { OnClick(this); });
}

QMenu *TMenuItem::Menu()
{
    if (!m_menu) {
        m_menu = std::make_unique<QMenu>();
        for (TMenuItem *item : std::as_const(m_items))
            m_menu->addAction(item->Action());
    }
    return m_menu.get();
}

void TMenuItem::UpdateCheckable()
{
    m_action->setCheckable(m_autoCheck || m_radioItem || m_checked);
    m_action->setChecked(m_checked);
}

void TMenuItem::UpdateToolTip()
{
    const QString text = m_hint.section(QChar(1), 0, 0);
    m_action->setToolTip(text);
    m_action->setStatusTip(text);
}

void TMenuItem::UpdateSubMenu()
{
    QMenu *menu = m_items.isEmpty() ? nullptr : Menu();
    if (m_action->menu() != menu)
        m_action->setMenu(menu);
}

void TMenuItem::TurnSiblingsOff()
{
    if (!m_parent)
        return;
    for (TMenuItem *item : std::as_const(m_parent->m_items))
        if (item != this && item->m_radioItem && item->m_groupIndex == m_groupIndex && item->m_checked)
            item->SetChecked(false);
}

void TMainMenu::FillMenuBar(QMenuBar *Bar)
{
    if (!Bar)
        return;
    const QList<QAction *> shown = Bar->actions();
    for (QAction *action : shown)
        Bar->removeAction(action);
    for (int i = 0; i < Items()->Count(); ++i)
        Bar->addAction(Items()->Items(i)->Action());
}

QMenuBar *TMainMenu::CreateMenuBar(QWidget *Parent)
{
    auto *bar = new QMenuBar(Parent);
    FillMenuBar(bar);
    return bar;
}

void TPopupMenu::Popup(const QPoint &Position)
{
    Menu()->popup(Position);
}
