// The platform's menu model on Qt: a tree of TMenuItem records, each owning a QAction kept
// in step with its fields (and a QMenu for its sub-items), under a TMainMenu that fills a
// window's menu bar or a TPopupMenu shown at a point.
#pragma once

#include <QList>
#include <QPoint>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/graphics/picture.h"
#include "platform/rtl/sysutils.h"

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

// The platform's short-cut code: the virtual key in the low byte plus these modifier bits.
using TShortCut = uint16_t;
enum : TShortCut { scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000, scNone = 0 };

// Whether the item's caption gets an access key chosen for it; kept as a setting only.
enum TMenuItemAutoFlag : uint8_t { maAutomatic, maManual, maParent };

class EMenuError : public Exception
{
public:
    using Exception::Exception;
};

class TMenuItem
{
public:
    using TClickHandler = std::function<void(TMenuItem *)>;

    TMenuItem();
    ~TMenuItem();
    TMenuItem(const TMenuItem &) = delete;
    TMenuItem &operator=(const TMenuItem &) = delete;

    // "&" marks the access key ("&&" a literal ampersand); the caption "-" is a separator.
    const QString &Caption() const { return m_caption; }
    void SetCaption(const QString &Caption);
    // The hint as stored. The action's tool tip and status tip show the part before the
    // first U+0001 only: what follows it is data kept with the item (its packed actions).
    const QString &Hint() const { return m_hint; }
    void SetHint(const QString &Hint);
    TShortCut ShortCut() const { return m_shortCut; }
    void SetShortCut(TShortCut ShortCut);
    bool RadioItem() const { return m_radioItem; }
    void SetRadioItem(bool RadioItem);
    uint8_t GroupIndex() const { return m_groupIndex; }
    void SetGroupIndex(uint8_t GroupIndex);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool Enabled);
    // The default item of its menu shows in bold.
    bool Default() const { return m_default; }
    void SetDefault(bool Default);
    // Checking a radio item unchecks the radio items of the same group among its siblings.
    bool Checked() const { return m_checked; }
    void SetChecked(bool Checked);
    // A click toggles the check mark (checks, for a radio item) before OnClick runs.
    bool AutoCheck() const { return m_autoCheck; }
    void SetAutoCheck(bool AutoCheck);
    bool Visible() const { return m_visible; }
    void SetVisible(bool Visible);
    // Shown as the action's icon, as stored (no transparent colour).
    const TBitmap &Bitmap() const { return m_bitmap; }
    void SetBitmap(const TBitmap &Bitmap);

    TMenuItemAutoFlag AutoHotkeys = maParent;
    TClickHandler OnClick;

    // Sub-items, owned. Adding an item that already has a parent raises EMenuError.
    int Count() const { return int(m_items.size()); }
    TMenuItem *Items(int Index) const;
    void Add(TMenuItem *Item);
    void Insert(int Index, TMenuItem *Item);
    // Delete and Clear free the items they take out.
    void Delete(int Index);
    void Clear();
    TMenuItem *Parent() const { return m_parent; }

    // Does what choosing the item does: the automatic check, then OnClick (an exception
    // from the handler is shown and ends it). Disabled items do nothing.
    void Click();

    // The action that shows this item in a menu or menu bar; it carries Menu() while the
    // item has sub-items.
    QAction *Action() const { return m_action.get(); }
    // The menu of the sub-items' actions, made on first need.
    QMenu *Menu();

private:
    void UpdateCheckable();
    void UpdateToolTip();
    void UpdateShortCut();
    void UpdateSubMenu();
    void TurnSiblingsOff();

    QString m_caption;
    QString m_hint;
    TShortCut m_shortCut = scNone;
    bool m_radioItem = false;
    uint8_t m_groupIndex = 0;
    bool m_enabled = true;
    bool m_default = false;
    bool m_checked = false;
    bool m_autoCheck = false;
    bool m_visible = true;
    TBitmap m_bitmap;

    TMenuItem *m_parent = nullptr;
    QList<TMenuItem *> m_items;
    std::unique_ptr<QMenu> m_menu;
    std::unique_ptr<QAction> m_action;
};

// A menu: the root item holds the top-level items (the root itself is never shown).
class TMenu
{
public:
    TMenu() = default;
    virtual ~TMenu() = default;
    TMenu(const TMenu &) = delete;
    TMenu &operator=(const TMenu &) = delete;

    TMenuItem *Items() { return &m_items; }
    const TMenuItem *Items() const { return &m_items; }

private:
    TMenuItem m_items;
};

class TMainMenu : public TMenu
{
public:
    // Puts the top-level items' actions on the bar (replacing what it showed). Their
    // fields and their sub-menus stay live; top-level items added or removed afterwards
    // show once the bar is filled again.
    void FillMenuBar(QMenuBar *Bar);
    // A new bar, child of Parent, filled with the top-level items.
    QMenuBar *CreateMenuBar(QWidget *Parent);
};

class TPopupMenu : public TMenu
{
public:
    QMenu *Menu() { return Items()->Menu(); }
    // Shows the menu at a screen position without waiting for a choice.
    void Popup(const QPoint &Position);
};
