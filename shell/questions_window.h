// The window of File > Inventory questions...: a ready-made question chosen from a list
// (what it asks in the user interface language), its parameters typed into fields with
// their labels, Run, and the answer as a result list with the question's own headers and
// formats (shell/question_answer.h); choosing another question clears it. A row that
// names a computer (a column "computer") opens that computer's latest stored check on a
// double click. The store is asked off the window's thread; a parameter missing or not
// what its field takes is said in the user's words, a store that fails in the database's.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "listtools/result_pane.h"
#include "shell/store_task.h"
#include "store/store_query.h"
#include "ui/anchor_layout.h"
#include "ui/combo_box.h"
#include "ui/dialog.h"

// The parameter fields of the window: no question takes more.
inline constexpr int kQuestionFields = 3;

class QuestionsWindow : public ui::Dialog {
public:
    QuestionsWindow(StoreLocation location, StoredCheckOpener opener);
    ~QuestionsWindow() override;

    // Chooses the question of that name (as the list would); false when there is none.
    bool ChooseQuestion(const std::string& name);
    const Question& Chosen() const;
    // The text of a parameter's field, as the user would type it.
    void SetParameter(int index, const std::string& text) const;

    // The Run button: asks the store the chosen question; while it runs, the button is Stop
    // and ends it.
    void Run();
    bool IsBusy() const { return asking_ != nullptr || opening_ != nullptr; }

    ResultPane& Answer() { return answer_; }
    std::string StatusText() const { return status_.Text(); }
    // The answer's column named "computer"; -1 when it has none.
    int ComputerColumn() const;
    // The double click: opens the latest stored check of the row's computer.
    void OpenRow(int row);

    bool PreTranslateMessage(MSG& message) override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;
    void OnSize(UINT type, int width, int height) override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ShowChosen();
    void TakeAnswer();
    void TakeLatestCheck();
    void Fail(const std::string& message);

    StoreLocation location_;
    StoredCheckOpener opener_;
    ui::ComboBox choice_;
    ui::Window description_;
    ui::Window status_;
    ResultPane answer_;
    ui::AnchorLayout layout_;
    std::shared_ptr<StoreTask> asking_;
    std::shared_ptr<QueryAnswer> reading_;    // what the asking task fills
    std::string asked_;                       // the question the answer is asked of
    std::vector<std::string> answerColumns_;  // the answer's columns as the store names them
    std::shared_ptr<StoreTask> opening_;
    std::shared_ptr<int64_t> latestCheck_;    // what the opening task finds
    std::string runLabel_;                    // the Run button's text while it says Stop
};
