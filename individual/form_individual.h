// The individual form, behind the main view's second tab: three dependent drop-down
// lists pick a WMI class (group, category, class), a field beside them finds a class as
// the user types and chooses it in the lists, the description field explains it, and the
// result list shows the class's objects after a check, one row per property. Enter on
// the Level 3 list runs the check.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "base/handles.h"
#include "engine/survey_reporter.h"
#include "individual/class_finder.h"
#include "listtools/column_memory.h"
#include "listtools/result_list.h"
#include "listtools/sort_memory.h"
#include "ui/combo_box.h"
#include "ui/dialog.h"
#include "ui/form_host.h"

// Sent by the worker (through the reporter): append the rows of wParam
// (std::vector<ClassResultRow>*), select the first row.
inline constexpr UINT WM_CLASS_ROWS_READY = WM_APP + 20;
inline constexpr UINT WM_SELECT_FIRST_CLASS_ROW = WM_APP + 21;
// Returns the selected Level 3 text into the std::string* of wParam.
inline constexpr UINT WM_GET_CLASS_TEXT = WM_APP + 22;
// Keeps column wParam of the result list between 10 and 4096 pixels wide.
inline constexpr UINT WM_CLAMP_COLUMN_WIDTH = WM_APP + 23;
// Posted when the opened Level list wParam (its control id) has closed.
inline constexpr UINT WM_LEVEL_CLOSED = WM_APP + 24;

class FormIndividual : public ui::Dialog {
public:
    explicit FormIndividual(ui::FormHost& host);

    // The Level 3 list: its entry count, the selected entry's item data and text.
    int ClassEntryCount() const { return level3_.Count(); }
    int SelectedClassCode() const;
    std::string SelectedClassText() const;

    // Chooses the entry with item data `code` in list IDC_LEVEL1, IDC_LEVEL2 or IDC_LEVEL3
    // as the user would with the mouse (the list's change handler runs, the focus moves
    // on to the next list); false when there is none.
    bool ChooseEntry(int listId, int code);

    // Empties the result list.
    void ClearResults();
    // A check found no object of the class: the list empties and says so, or says `why`
    // it read none (a stored check that failed).
    void ShowNoObjects(const std::string& why = {});
    // A check of the chosen class starts: its first rows replace the list's rows (and its
    // sort); until then the last check's rows stay, so that a check that fails keeps them.
    void BeginCheck();
    bool AwaitingRows() const { return awaitingRows_; }
    void EndCheck() { awaitingRows_ = false; }
    void AppendRows(const std::vector<ClassResultRow>& rows);
    void SortByRememberedColumn();
    void EnableControls(bool enable);
    void Layout();

    ResultList& ResultListControl() { return list_; }
    // The objects whose properties the list shows (each object gives several rows).
    int ObjectCount() const { return objectCount_; }
    // What the result list was last sorted by; a new check's rows start unsorted.
    const SortMemory& Sort() const { return sort_; }
    // The widths the user gave the result list's columns (key 0).
    ColumnWidthMemory& ColumnWidths() { return widths_; }
    // Sizes the columns again: the remembered widths, the others to their content.
    void FitColumns() { list_.FitColumns(widths_.Of(0)); }
    const ui::ComboBox& Level1() const { return level1_; }
    const ui::ComboBox& Level2() const { return level2_; }
    const ui::ComboBox& Level3() const { return level3_; }
    HWND DescriptionField() const { return description_.Handle(); }
    HWND FindField() const { return findField_.Handle(); }
    // The finder's count line ("2 of 14 (Up, Down)", or that nothing matches).
    std::string FindCountText() const { return findCount_.Text(); }
    // The line above the list that names the class its rows belong to, and says so when
    // another class is chosen above without a new check.
    std::string RowsClassLine() const { return classLine_.Text(); }

    bool PreTranslateMessage(MSG& message) override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;
    void OnSize(UINT type, int width, int height) override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void InitResultList();
    void FillGroupList();
    void OnLevel1Changed();
    void OnLevel2Changed();
    void OnLevel3Changed();
    // The Level lists' keyboard and mouse: a selection made with the arrow keys only
    // fills the lists below; a choice in the opened list (mouse or Enter) also moves the
    // focus on to the next list.
    bool OnLevelNotify(int id, int code);
    void FocusAfterChoice(int id);
    // The finder: the classes holding the field's text, the one shown chosen in the
    // Level lists (the focus stays in the field); Up and Down step through them, Enter
    // goes on to the Level 3 list.
    void OnFindTextChanged();
    void ShowMatch(int index);
    bool HandleFindKey(const MSG& message);
    // Chooses the class in the three lists as the user would, the focus left alone.
    void SelectClass(int classId);
    bool HandleLevelKey(MSG& message);
    void OnColumnClick(int column);
    bool OnHeaderNotify(NMHDR* header);
    void ClampColumnWidth(int column);
    void CentreLabelOf(HWND control) const;
    // The rows now shown are those of the check that began last.
    void AdoptCheckedClass();
    void ShowRowsClass();

    ui::FormHost& host_;
    ui::ComboBox level1_;
    ui::ComboBox level2_;
    ui::ComboBox level3_;
    ui::Window description_;
    ui::Window findField_;
    ui::Window findCount_;
    ClassFinder finder_;
    std::vector<int> matches_;
    int matchIndex_ = 0;
    ui::Window classLine_;
    ResultList list_;
    SortMemory sort_;
    ColumnWidthMemory widths_;
    UniqueFont uiFont_;
    bool awaitingRows_ = false;
    int checkedClassCode_ = -1;      // the class of the running (or last) check
    std::string checkedClassText_;
    int objectCount_ = 0;
    int rowsClassCode_ = -1;         // the class of the rows shown; -1: none shown yet
    std::string rowsClassText_;
    bool levelOpen_ = false;     // a Level list is dropped down
    bool levelChosen_ = false;   // and an entry of it was chosen (not cancelled)
};

// Fills a drop-down list with entries (text + item data) and selects the no-selection
// entry.
void FillDropDownList(const ui::ComboBox& list, const std::vector<struct ListEntry>& entries);
