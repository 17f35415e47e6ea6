#include "shell/questions_window.h"

#include <utility>

#include "base/text_util.h"
#include "shell/question_answer.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "store/store_history.h"
#include "storetools/answer_model.h"
#include "ui/message_box.h"

namespace {

std::string ParameterLabel(const QuestionParameter& parameter)
{
    return LoadText(parameter.labelId) + ":";
}

std::string ParameterPrompt(const QuestionParameter& parameter)
{
    return LoadText(parameter.promptId) + (parameter.optional ? " " + LoadText(IDS_QUESTION_OPTIONAL) : "");
}

}  // namespace

QuestionsWindow::QuestionsWindow(StoreLocation location, StoredCheckOpener opener)
    : ui::Dialog(IDD_STORE_QUESTIONS), location_(std::move(location)), opener_(std::move(opener))
{
}

QuestionsWindow::~QuestionsWindow()
{
    if (asking_)
        asking_->Stop();   // a question nobody waits for any more does not run on
}

bool QuestionsWindow::OnInitDialog()
{
    choice_.Attach(::GetDlgItem(hwnd_, IDC_QUESTION_CHOICE));
    description_.Attach(::GetDlgItem(hwnd_, IDC_QUESTION_DESCRIPTION));
    status_.Attach(::GetDlgItem(hwnd_, IDC_QUESTION_STATUS));
    answer_.Attach(::GetDlgItem(hwnd_, IDC_RESULT_ROWS));
    answer_.onOpen = [this](int row) { OpenRow(row); };
    const std::span<const Question> questions = ReadyQuestions();
    for (size_t index = 0; index < questions.size(); ++index)
        choice_.AddString(LoadText(questions[index].titleId), static_cast<LPARAM>(index));
    choice_.SetCurSel(0);
    using ui::AnchorLayout;
    layout_.Start(hwnd_);
    layout_.Add(IDC_QUESTION_DESCRIPTION, AnchorLayout::GrowX);
    for (int field = 0; field < kQuestionFields; ++field)
        layout_.Add(IDC_QUESTION_FIRST_PROMPT + field, AnchorLayout::GrowX);
    layout_.Add(IDC_QUESTION_STATUS, AnchorLayout::GrowX);
    layout_.Add(IDC_RESULT_ROWS, AnchorLayout::GrowX | AnchorLayout::GrowY);
    for (int id : {IDC_RESULT_COPY, IDC_RESULT_FIND, IDC_RESULT_SAVE})
        layout_.Add(id, AnchorLayout::MoveY);
    layout_.Add(IDCANCEL, AnchorLayout::MoveX | AnchorLayout::MoveY);
    ShowChosen();
    return true;
}

const Question& QuestionsWindow::Chosen() const
{
    const int selected = choice_.CurSel();
    return ReadyQuestions()[selected < 0 ? 0 : static_cast<size_t>(choice_.ItemData(selected))];
}

bool QuestionsWindow::ChooseQuestion(const std::string& name)
{
    for (int index = 0; index < choice_.Count(); ++index)
        if (EqualsNoCase(ReadyQuestions()[static_cast<size_t>(choice_.ItemData(index))].name, name)) {
            choice_.SetCurSel(index);
            ShowChosen();
            return true;
        }
    return false;
}

// The chosen question's description and its parameters' fields; fields it does not take
// are hidden.
void QuestionsWindow::ShowChosen()
{
    const Question& question = Chosen();
    description_.SetText(LoadText(question.descriptionId));
    // The last answer was another question's: it goes.
    answer_.Show(ResultModel{});
    answer_.List().SetEmptyText({});
    answerColumns_.clear();
    if (!asking_)
        status_.SetText("");
    for (int field = 0; field < kQuestionFields; ++field) {
        const bool used = static_cast<size_t>(field) < question.parameters.size();
        const int ids[] = {IDC_QUESTION_FIRST_LABEL + field, IDC_QUESTION_FIRST_FIELD + field,
                           IDC_QUESTION_FIRST_PROMPT + field};
        for (int id : ids)
            GetDlgItem(id).Show(used ? SW_SHOW : SW_HIDE);
        if (!used)
            continue;
        const QuestionParameter& parameter = question.parameters[static_cast<size_t>(field)];
        GetDlgItem(IDC_QUESTION_FIRST_LABEL + field).SetText(ParameterLabel(parameter));
        GetDlgItem(IDC_QUESTION_FIRST_FIELD + field).SetText("");
        GetDlgItem(IDC_QUESTION_FIRST_PROMPT + field).SetText(ParameterPrompt(parameter));
    }
}

void QuestionsWindow::SetParameter(int index, const std::string& text) const
{
    if (index >= 0 && index < kQuestionFields)
        GetDlgItem(IDC_QUESTION_FIRST_FIELD + index).SetText(text);
}

void QuestionsWindow::Fail(const std::string& message)
{
    status_.SetText("");
    ui::ShowMessageBox(hwnd_, message, MB_ICONEXCLAMATION | MB_OK);
}

void QuestionsWindow::Run()
{
    if (asking_) {
        asking_->Stop();   // the button is Stop while a question runs
        return;
    }
    const Question& question = Chosen();
    std::vector<std::string> given;
    for (size_t field = 0; field < question.parameters.size() && field < kQuestionFields; ++field) {
        const std::string text = GetDlgItem(IDC_QUESTION_FIRST_FIELD + static_cast<int>(field)).Text();
        if (!text.empty())
            given.push_back(std::string(question.parameters[field].name) + "=" + text);
    }
    std::vector<QueryValue> values;
    std::string message;
    if (!BindQuestion(question, given, CheckTime::Now().epoch, values, message)) {
        Fail(message);
        return;
    }
    asked_ = question.name;
    reading_ = std::make_shared<QueryAnswer>();
    std::shared_ptr<QueryAnswer> answer = reading_;
    asking_ = StoreTask::Start(hwnd_, kStoreTaskDone, location_, StoreAccess::Query,
                               [sql = std::string(question.sql), values = std::move(values),
                                answer](InventoryStore& store, std::string& failure) {
                                   return RunReadOnlyQuery(store.Db(), sql, values, *answer, failure) ==
                                          AnswerOutcome::Answered;
                               });
    status_.SetText(LoadText(IDS_QUESTION_RUNNING));
    runLabel_ = GetDlgItem(IDC_QUESTION_RUN).Text();
    GetDlgItem(IDC_QUESTION_RUN).SetText(LoadText(IDS_QUESTION_STOP));
}

void QuestionsWindow::TakeAnswer()
{
    const std::shared_ptr<StoreTask> task = std::move(asking_);
    const std::shared_ptr<QueryAnswer> answer = std::move(reading_);
    GetDlgItem(IDC_QUESTION_RUN).SetText(runLabel_);
    const Question* question = FindQuestion(asked_);
    if (task->Stopped() && !task->Succeeded()) {
        // What came before the stop, said to be incomplete.
        answer_.Show(QuestionAnswerModel(question, *answer), QuestionNumberColumns(question, *answer));
        answerColumns_ = answer->columns;
        status_.SetText(FillIn(LoadText(IDS_QUESTION_STOPPED), std::to_string(answer->rows.size())));
        return;
    }
    if (!task->Succeeded()) {
        answer_.Show(ResultModel{});
        answerColumns_.clear();
        Fail(task->Message());
        return;
    }
    if (asked_ != Chosen().name) {
        status_.SetText("");   // another question was chosen meanwhile
        return;
    }
    answer_.Show(QuestionAnswerModel(question, *answer), QuestionNumberColumns(question, *answer));
    answerColumns_ = answer->columns;
    answer_.List().SetEmptyText(LoadText(IDS_QUESTION_NO_ROWS));
    const size_t rows = answer->rows.size();
    status_.SetText(rows == 1 ? LoadText(IDS_QUESTION_ONE_ROW)
                              : FillIn(LoadText(IDS_QUESTION_ROWS), std::to_string(rows)));
}

int QuestionsWindow::ComputerColumn() const
{
    for (size_t column = 0; column < answerColumns_.size(); ++column)
        if (EqualsNoCase(answerColumns_[column], "computer"))
            return static_cast<int>(column);
    return -1;
}

void QuestionsWindow::OpenRow(int row)
{
    const int column = ComputerColumn();
    if (opening_ || column < 0 || row < 0 || row >= answer_.Model().RowCount())
        return;
    const std::string computer = answer_.Model().Cell(row, column);
    if (computer.empty())
        return;
    latestCheck_ = std::make_shared<int64_t>(0);
    std::shared_ptr<int64_t> latest = latestCheck_;
    opening_ = StoreTask::Start(hwnd_, kStoreTaskDone, location_, StoreAccess::Read,
                                [computer, latest](InventoryStore& store, std::string& message) {
                                    StoredComputer found;
                                    Lookup lookup = FindComputer(store.Statements(), computer, found);
                                    if (lookup == Lookup::Found)
                                        lookup = LatestCheck(store.Statements(), found.id, *latest);
                                    if (lookup == Lookup::Found)
                                        return true;
                                    message = lookup == Lookup::NotFound
                                                  ? FillIn(LoadText(IDS_STORE_NO_COMPUTER), computer)
                                                  : store.FailureMessage();
                                    return false;
                                });
}

void QuestionsWindow::TakeLatestCheck()
{
    const std::shared_ptr<StoreTask> task = std::move(opening_);
    const int64_t id = *latestCheck_;
    latestCheck_.reset();
    if (!task->Succeeded())
        ui::ShowMessageBox(hwnd_, task->Message(), MB_ICONEXCLAMATION | MB_OK);
    else if (opener_ && !opener_(id))
        ui::ShowMessageBox(hwnd_, LoadText(IDS_MULTI_MAIN_BUSY), MB_ICONEXCLAMATION | MB_OK);
}

void QuestionsWindow::OnSize(UINT type, int width, int height)
{
    if (type == SIZE_MINIMIZED)
        return;
    layout_.Apply(width, height);
    answer_.List().FillLastColumn();
}

bool QuestionsWindow::OnCommand(int id, int code, HWND)
{
    if (id == IDC_QUESTION_CHOICE && code == CBN_SELCHANGE) {
        ShowChosen();
        return true;
    }
    if (code != BN_CLICKED)
        return false;
    switch (id) {
    case IDC_QUESTION_RUN: Run(); return true;
    case IDC_RESULT_COPY: answer_.CopyRows(); return true;
    case IDC_RESULT_FIND:
    case ID_EDIT_FIND: answer_.Find(hwnd_); return true;   // also from the list's context menu
    case IDC_RESULT_SAVE:
    case ID_FILE_SAVE_CSV: answer_.SaveCsv(hwnd_, std::string(Chosen().name) + ".csv"); return true;
    case IDCANCEL: EndDialog(IDCANCEL); return true;
    default: return false;
    }
}

bool QuestionsWindow::OnNotify(NMHDR* header, LRESULT& result)
{
    return header->hwndFrom == answer_.Handle() && answer_.HandleNotify(header, result);
}

INT_PTR QuestionsWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kStoreTaskDone) {
        if (asking_ && asking_->IsAnswer(lParam))
            TakeAnswer();
        else if (opening_ && opening_->IsAnswer(lParam))
            TakeLatestCheck();
        return TRUE;
    }
    if (message == WM_CLOSE) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    return ui::Dialog::OnMessage(message, wParam, lParam);
}

bool QuestionsWindow::PreTranslateMessage(MSG& message)
{
    if (answer_.HandleKey(message, hwnd_))
        return true;
    return ui::Dialog::PreTranslateMessage(message);
}
