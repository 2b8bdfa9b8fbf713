#pragma once

#include <QMainWindow>

class CTexPoint;
class CTexRange;
class QAction;
class QKeySequence;
class QMenu;
class QTabWidget;
class UserInteraction;

// The main window: the "Point Lookup" and "Range Lookup" pages in tabs, the menu bar, the "Always
// On Top" state and the settings (with the window's geometry and the sheet's column widths). The
// title carries the desktop's unsaved-changes marker; notes such as "File saved" go to the
// status bar. The Point commands (and their Ctrl+N, Ctrl+O, Ctrl+S, Ctrl+P)
// always act on the Point page, whichever page is current; the current page greys the other
// page's menu. Settings are read when the window is built and written when it closes.
class CSheet : public QMainWindow {
    Q_OBJECT
public:
    // Reads the settings and loads the Point page's scheme (telling the user when that fails).
    explicit CSheet(UserInteraction& interaction, QWidget* parent = nullptr);
    ~CSheet() override;

    CTexPoint& PointPage() { return *mPoint; }
    CTexRange& RangePage() { return *mRange; }
    QTabWidget& Tabs() { return *mTabs; }
    QMenu& PointMenu() { return *mPointMenu; }
    QMenu& RangeMenu() { return *mRangeMenu; }

    bool AlwaysOnTop() const { return mAlwaysOnTop; }
    void ToggleAlwaysOnTop();
    // Ends the program after "Save changes first?" (Cancel keeps it running).
    void Exit();
    // Greys the Point menu's editing items that do not apply to the focus cell now.
    void UpdatePointMenu();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    QMenu* BuildPointMenu();
    QMenu* BuildRangeMenu();
    // Show Certainty and Lab Error, at the end of the Point menu.
    void AddCertaintyItems(QMenu* menu);
    template <typename Slot>
    QAction* AddPointCommand(QMenu* menu, const QString& text, const QString& tip, Slot slot,
                             const QKeySequence& shortcut);
    void OnPageChanged(int index);
    void LoadSettings();
    void SaveSettings() const;
    // The window's place and size and the sheet's column widths, as the last run left them.
    void RestoreLayout();
    // A note in the status bar; "" clears it.
    void ShowStatus(const QString& text);

    UserInteraction& mInteraction;
    QTabWidget* mTabs;
    CTexPoint* mPoint;
    CTexRange* mRange;
    QMenu* mPointMenu = nullptr;
    QMenu* mRangeMenu = nullptr;
    QAction* mAlwaysOnTopAction = nullptr;
    QAction* mShowCertaintyAction = nullptr;
    // The Point menu's items that follow the focus cell.
    QAction* mCut = nullptr;
    QAction* mCopy = nullptr;
    QAction* mPaste = nullptr;
    QAction* mDelete = nullptr;
    QAction* mInsertRow = nullptr;
    QAction* mDeleteRow = nullptr;
    QAction* mUndo = nullptr;
    QAction* mRedo = nullptr;
    bool mAlwaysOnTop = false;
};
