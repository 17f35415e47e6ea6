// The dialog templates of the program's windows in both languages: their layout as
// designed, and the controls that the real dialog manager creates from them.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "resources/resource.h"
#include "tests/shell/resources_support.h"

using namespace resources_test;

namespace {

constexpr LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
constexpr LANGID kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
constexpr LANGID kNeutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
constexpr int kIconTitle = -2;  // marks an expected icon control showing IDR_MAINFRAME

struct ExpectedControl {
    int id;
    const wchar_t* className;
    const wchar_t* english;
    const wchar_t* japanese;
    int x, y, cx, cy;
    DWORD typeMask;   // style bits that form the control's kind ...
    DWORD type;       // ... and their value
    DWORD required;   // further style bits that must be set
    int titleOrdinal = -1;
};

struct ExpectedDialog {
    UINT id;
    int cx, cy;
    bool child;
    const wchar_t* english;   // caption
    const wchar_t* japanese;
    std::vector<ExpectedControl> controls;
};

constexpr DWORD kComboList = CBS_SORT | WS_VSCROLL | WS_TABSTOP;

const std::vector<ExpectedDialog>& Dialogs()
{
    static const std::vector<ExpectedDialog> dialogs{
        {IDD_ABOUTBOX, 262, 73, false, L"About Mirel", L"\u30d0\u30fc\u30b8\u30e7\u30f3\u60c5\u5831 Mirel",
         {
             {IDC_ABOUT_ICON, L"Static", L"", L"", 14, 14, 21, 20, SS_TYPEMASK, SS_ICON, 0, IDR_MAINFRAME},
             {IDC_STATIC_LABEL, L"Static", L"Mirel", L"Mirel", 42, 14, 150, 8, SS_TYPEMASK, SS_LEFT, 0},
             {IDC_STATIC_LABEL, L"Static", L"Version 1.0", L"\u30d0\u30fc\u30b8\u30e7\u30f3 1.0", 42, 26, 150, 8,
              SS_TYPEMASK, SS_LEFT, 0},
             {IDC_STATIC_LABEL, L"Static", L"Copyright (C) 2026 Tollbrook", L"Copyright (C) 2026 Tollbrook", 42, 38,
              150, 8, SS_TYPEMASK, SS_LEFT, 0},
             {IDOK, L"Button", L"OK", L"OK", 205, 52, 50, 14, BS_TYPEMASK, BS_DEFPUSHBUTTON, WS_TABSTOP},
         }},
        {IDD_MIREL_VIEW, 316, 183, true, L"", L"",
         {
             // 66 wide so that "Computer Name" fits in Wine's Tahoma and its Japanese in the Japanese font.
             {IDC_STATIC_LABEL, L"Static", L"Computer Name", L"\u30b3\u30f3\u30d4\u30e5\u30fc\u30bf\u30fc\u540d", 6, 9, 66,
              8, SS_TYPEMASK, SS_LEFT, 0},
             {IDC_COMPUTER_NAME, L"ComboBox", L"", L"", 74, 6, 166, 110, 0, 0, WS_TABSTOP | CBS_DROPDOWN | CBS_AUTOHSCROLL},
             {IDC_RUN, L"Button", L"Run", L"\u5b9f\u884c", 246, 6, 60, 14, BS_TYPEMASK, BS_DEFPUSHBUTTON,
              WS_TABSTOP},
             {IDC_RESOURCE_TAB, L"SysTabControl32", L"", L"", 6, 30, 300, 144, 0, 0, WS_TABSTOP | TCS_FOCUSNEVER},
         }},
        {IDD_FORM_INDIVIDUAL, 283, 182, true, L"", L"",
         {
             {IDC_STATIC_LABEL, L"Static", L"Level 1", L"\u30ec\u30d9\u30eb\uff11", 6, 8, 42, 8, SS_TYPEMASK,
              SS_LEFT, 0},
             {IDC_LEVEL1, L"ComboBox", L"", L"", 54, 6, 132, 114, CBS_DROPDOWNLIST, CBS_DROPDOWNLIST, kComboList},
             {IDC_STATIC_LABEL, L"Static", L"Level 2", L"\u30ec\u30d9\u30eb\uff12", 6, 26, 42, 8, SS_TYPEMASK,
              SS_LEFT, 0},
             {IDC_LEVEL2, L"ComboBox", L"", L"", 54, 24, 132, 120, CBS_DROPDOWNLIST, CBS_DROPDOWNLIST, kComboList},
             {IDC_STATIC_LABEL, L"Static", L"Level 3", L"\u30ec\u30d9\u30eb\uff13", 6, 44, 42, 8, SS_TYPEMASK,
              SS_LEFT, 0},
             {IDC_LEVEL3, L"ComboBox", L"", L"", 54, 42, 132, 132, CBS_DROPDOWNLIST, CBS_DROPDOWNLIST, kComboList},
             // Beside the Level lists: a class found by typing a part of its name or description.
             {IDC_CLASS_FIND_LABEL, L"Static", L"Find a class:", L"\u30af\u30e9\u30b9\u3092\u691c\u7d22:", 192, 8, 84, 8,
              SS_TYPEMASK, SS_LEFT, 0},
             {IDC_CLASS_FIND, L"Edit", L"", L"", 192, 24, 84, 12, 0, 0, ES_AUTOHSCROLL | WS_TABSTOP},
             {IDC_CLASS_FIND_COUNT, L"Static", L"", L"", 192, 44, 84, 8, SS_TYPEMASK, SS_LEFT, SS_NOPREFIX},
             {IDC_STATIC_LABEL, L"Static", L"Description", L"\u8aac\u660e", 6, 61, 42, 8, SS_TYPEMASK, SS_LEFT, 0},
             {IDC_DESCRIPTION, L"Edit", L"", L"", 54, 60, 222, 30, 0, 0,
              ES_MULTILINE | ES_READONLY | WS_BORDER | WS_TABSTOP},
             {IDC_RESULT_CLASS, L"Static", L"", L"", 6, 96, 270, 10, SS_TYPEMASK, SS_LEFT, SS_NOPREFIX},
             {IDC_RESULT_LIST, L"SysListView32", L"", L"", 6, 107, 270, 68, LVS_TYPEMASK, LVS_REPORT,
              LVS_SHOWSELALWAYS | LVS_OWNERDATA | WS_BORDER | WS_TABSTOP},
         }},
        {IDD_FIND, 291, 62, false, L"Find", L"\u691c\u7d22",
         {
             {IDC_STATIC_LABEL, L"Static", L"Find what", L"\u691c\u7d22\u3059\u308b\u6587\u5b57\u5217(&N):", 7, 10,
              59, 8, SS_TYPEMASK, SS_LEFT, 0},
             {IDC_FIND_TEXT, L"Edit", L"", L"", 81, 7, 147, 14, 0, 0, WS_BORDER | WS_TABSTOP},
             {IDC_STATIC_LABEL, L"Button", L"Direction", L"\u65b9\u5411", 138, 24, 90, 30, BS_TYPEMASK,
              BS_GROUPBOX, 0},
             {IDC_FIND_UP, L"Button", L"&Up", L"\u4e0a\u3078(&U)", 144, 36, 25, 10, BS_TYPEMASK,
              BS_AUTORADIOBUTTON, WS_GROUP | WS_TABSTOP},
             {IDC_FIND_DOWN, L"Button", L"&Down", L"\u4e0b\u3078(&D)", 186, 36, 34, 10, BS_TYPEMASK,
              BS_AUTORADIOBUTTON, 0},
             {IDC_MATCH_CASE, L"Button", L"Match case",
              L"\u5927\u6587\u5b57\u3068\u5c0f\u6587\u5b57\u3092\u533a\u5225\u3059\u308b", 7, 45, 109, 10,
              BS_TYPEMASK, BS_AUTOCHECKBOX, WS_GROUP | WS_TABSTOP},
             {IDC_FIND_NEXT, L"Button", L"&Find Next", L"\u6b21\u3092\u691c\u7d22(&F)", 234, 7, 50, 14, BS_TYPEMASK,
              BS_DEFPUSHBUTTON, WS_TABSTOP},
             {IDCANCEL, L"Button", L"Cancel", L"\u30ad\u30e3\u30f3\u30bb\u30eb", 234, 24, 50, 14, BS_TYPEMASK,
              BS_PUSHBUTTON, WS_TABSTOP},
         }},
    };
    return dialogs;
}

bool CarriesText(const ExpectedControl& control)
{
    return *control.english != 0;
}

// ---------------------------------------------------------------- real dialogs

struct WindowDeleter {
    void operator()(HWND window) const { DestroyWindow(window); }
};
using Window = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter>;

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

class UiDialogs : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
    }

    void SetUp() override
    {
        host_.reset(CreateWindowExW(0, L"Static", L"host", WS_OVERLAPPEDWINDOW, 0, 0, 900, 700, nullptr, nullptr,
                                    Module(), nullptr));
        ASSERT_TRUE(host_);
    }

    // Creates dialog `id` from its template in exactly `language`.
    Window Create(UINT id, LANGID language)
    {
        const void* data = ResourceData(MAKEINTRESOURCEW(5), id, language);
        if (!data)
            return nullptr;
        return Window(CreateDialogIndirectParamW(Module(), static_cast<LPCDLGTEMPLATEW>(data), host_.get(),
                                                 PlainDialogProc, 0));
    }

    // Creates dialog `id` the ordinary way: the system chooses the template's language.
    Window CreateInUserLanguage(UINT id)
    {
        return Window(CreateDialogParamW(Module(), MAKEINTRESOURCEW(id), host_.get(), PlainDialogProc, 0));
    }

    Window host_;
};

std::vector<HWND> Children(HWND dialog)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

std::wstring ClassOf(HWND window)
{
    WCHAR name[64] = {};
    GetClassNameW(window, name, ARRAYSIZE(name));
    return name;
}

std::wstring TextOf(HWND window)
{
    WCHAR text[256] = {};
    GetWindowTextW(window, text, ARRAYSIZE(text));
    return text;
}

RECT RectInDialog(HWND dialog, HWND control)
{
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Where the dialog manager puts a control: origin and size are converted separately.
RECT DialogUnitsToPixels(HWND dialog, int x, int y, int cx, int cy)
{
    RECT units{x, y, cx, cy};
    MapDialogRect(dialog, &units);
    return RECT{units.left, units.top, units.left + units.right, units.top + units.bottom};
}

std::vector<int> TabOrder(HWND dialog)
{
    std::vector<int> ids;
    HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
    for (HWND at = first; at && ids.size() < 20;) {
        ids.push_back(GetDlgCtrlID(at));
        at = GetNextDlgTabItem(dialog, at, FALSE);
        if (at == first)
            break;
    }
    return ids;
}

bool Intersect(const TemplateControl& a, const TemplateControl& b)
{
    return a.x < b.x + b.cx && b.x < a.x + a.cx && a.y < b.y + b.cy && b.y < a.y + a.cy;
}

bool Contains(const TemplateControl& outer, const TemplateControl& inner)
{
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.cx <= outer.x + outer.cx &&
           inner.y + inner.cy <= outer.y + outer.cy;
}

// The box a control takes on the dialog: a closed drop-down list is one line high.
TemplateControl Footprint(TemplateControl control)
{
    if (control.className == L"ComboBox")
        control.cy = 12;
    return control;
}

}  // namespace

// ---------------------------------------------------------------- templates

TEST(UiDialogTemplates, LayoutAndControlsAsDesignedInBothLanguages)
{
    for (LANGID language : {kEnglish, kJapanese}) {
        for (const ExpectedDialog& expected : Dialogs()) {
            SCOPED_TRACE(testing::Message() << "dialog " << expected.id << " language " << language);
            DialogTemplate dialog = LoadDialogTemplate(expected.id, language);
            ASSERT_TRUE(dialog.valid);
            EXPECT_EQ(dialog.cx, expected.cx);
            EXPECT_EQ(dialog.cy, expected.cy);
            EXPECT_EQ(dialog.typeface, L"MS Shell Dlg");
            EXPECT_EQ(dialog.pointSize, 8);
            EXPECT_EQ(dialog.charset, DEFAULT_CHARSET);
            EXPECT_EQ(dialog.style & DS_SHELLFONT, DWORD{DS_SHELLFONT});
            EXPECT_EQ(dialog.caption, language == kEnglish ? expected.english : expected.japanese);
            if (expected.child) {
                EXPECT_EQ(dialog.style & (WS_CHILD | DS_CONTROL), DWORD{WS_CHILD | DS_CONTROL});
                EXPECT_EQ(dialog.style & (WS_POPUP | WS_CAPTION | WS_BORDER | WS_THICKFRAME), 0u);
            } else {
                DWORD modal = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
                EXPECT_EQ(dialog.style & modal, modal);
                EXPECT_EQ(dialog.style & WS_CHILD, 0u);
            }

            ASSERT_EQ(dialog.controls.size(), expected.controls.size());
            for (size_t index = 0; index < dialog.controls.size(); ++index) {
                const TemplateControl& actual = dialog.controls[index];
                const ExpectedControl& want = expected.controls[index];
                SCOPED_TRACE(testing::Message() << "control #" << index << " id " << want.id);
                EXPECT_EQ(actual.id, want.id);
                EXPECT_EQ(_wcsicmp(actual.className.c_str(), want.className), 0) << actual.className;
                EXPECT_EQ(actual.text, language == kEnglish ? want.english : want.japanese);
                EXPECT_EQ(actual.textOrdinal, want.titleOrdinal);
                EXPECT_EQ(actual.style & want.typeMask, want.type);
                EXPECT_EQ(actual.style & want.required, want.required);
                EXPECT_EQ(actual.style & (WS_CHILD | WS_VISIBLE), DWORD{WS_CHILD | WS_VISIBLE});
                EXPECT_EQ(actual.x, want.x);
                EXPECT_EQ(actual.y, want.y);
                EXPECT_EQ(actual.cy, want.cy);
                // A Japanese label may take more of the free room to its right.
                if (language == kJapanese && CarriesText(want)) {
                    EXPECT_GE(actual.cx, want.cx);
                } else {
                    EXPECT_EQ(actual.cx, want.cx);
                }
            }
        }
    }
}

TEST(UiDialogTemplates, StandardFormIsOneEmptyChildTemplate)
{
    DialogTemplate form = LoadDialogTemplate(IDD_FORM_STANDARD, kNeutral);
    ASSERT_TRUE(form.valid);
    EXPECT_EQ(form.cx, 318);
    EXPECT_EQ(form.cy, 182);
    EXPECT_TRUE(form.controls.empty());
    EXPECT_TRUE(form.caption.empty());
    EXPECT_EQ(form.typeface, L"MS Shell Dlg");
    EXPECT_EQ(form.pointSize, 8);
    EXPECT_EQ(form.style & (WS_CHILD | DS_CONTROL), DWORD{WS_CHILD | DS_CONTROL});
    EXPECT_EQ(form.style & (WS_POPUP | WS_CAPTION | WS_BORDER | WS_THICKFRAME), 0u);
}

TEST(UiDialogTemplates, ControlsStayInsideTheirDialogAndApart)
{
    for (LANGID language : {kEnglish, kJapanese}) {
        for (const ExpectedDialog& expected : Dialogs()) {
            DialogTemplate dialog = LoadDialogTemplate(expected.id, language);
            ASSERT_TRUE(dialog.valid);
            const auto& controls = dialog.controls;
            for (size_t a = 0; a < controls.size(); ++a) {
                EXPECT_LE(controls[a].x + controls[a].cx, dialog.cx) << expected.id << " #" << a;
                EXPECT_LE(controls[a].y + controls[a].cy, dialog.cy) << expected.id << " #" << a;
                for (size_t b = a + 1; b < controls.size(); ++b) {
                    TemplateControl first = Footprint(controls[a]), second = Footprint(controls[b]);
                    if (Contains(first, second) && (first.style & BS_TYPEMASK) == BS_GROUPBOX)
                        continue;
                    EXPECT_FALSE(Intersect(first, second))
                        << "dialog " << expected.id << " language " << language << ": #" << a << " and #" << b;
                }
            }
        }
    }
}

TEST(UiDialogTemplates, LabelMnemonicsLeadToTheControlAfterThem)
{
    for (LANGID language : {kEnglish, kJapanese}) {
        for (const ExpectedDialog& expected : Dialogs()) {
            DialogTemplate dialog = LoadDialogTemplate(expected.id, language);
            ASSERT_TRUE(dialog.valid);
            for (size_t index = 0; index < dialog.controls.size(); ++index) {
                const TemplateControl& label = dialog.controls[index];
                bool isLabel = label.className == L"Static" && (label.style & SS_TYPEMASK) == SS_LEFT;
                if (!isLabel || (label.style & SS_NOPREFIX) || label.text.find(L'&') == std::wstring::npos)
                    continue;
                ASSERT_LT(index + 1, dialog.controls.size());
                EXPECT_TRUE(dialog.controls[index + 1].style & WS_TABSTOP)
                    << "dialog " << expected.id << ": " << label.text;
            }
        }
    }
}

// ---------------------------------------------------------------- created for real

TEST_F(UiDialogs, CreatedDialogsHoldTheTemplateControlsInPlace)
{
    for (LANGID language : {kEnglish, kJapanese}) {
        for (const ExpectedDialog& expected : Dialogs()) {
            SCOPED_TRACE(testing::Message() << "dialog " << expected.id << " language " << language);
            DialogTemplate layout = LoadDialogTemplate(expected.id, language);
            Window dialog = Create(expected.id, language);
            ASSERT_TRUE(dialog);
            std::vector<HWND> children = Children(dialog.get());
            ASSERT_EQ(children.size(), layout.controls.size());
            for (size_t index = 0; index < children.size(); ++index) {
                const TemplateControl& control = layout.controls[index];
                HWND child = children[index];
                SCOPED_TRACE(testing::Message() << "control #" << index << " id " << control.id);
                EXPECT_EQ(static_cast<WORD>(GetDlgCtrlID(child)), static_cast<WORD>(control.id));
                EXPECT_EQ(_wcsicmp(ClassOf(child).c_str(), control.className.c_str()), 0) << ClassOf(child);
                if (control.textOrdinal < 0) {
                    EXPECT_EQ(TextOf(child), control.text);
                }
                RECT actual = RectInDialog(dialog.get(), child);
                RECT wanted = DialogUnitsToPixels(dialog.get(), control.x, control.y, control.cx, control.cy);
                EXPECT_EQ(actual.left, wanted.left);
                EXPECT_EQ(actual.top, wanted.top);
                if (control.textOrdinal < 0) {  // an icon control takes the icon's size
                    EXPECT_EQ(actual.right, wanted.right);
                }
                if (control.className != L"ComboBox" && control.textOrdinal < 0) {  // closed drop-down list
                    EXPECT_EQ(actual.bottom, wanted.bottom);
                }
            }
        }
    }
}

TEST_F(UiDialogs, DefaultButtonsAndTabOrder)
{
    for (LANGID language : {kEnglish, kJapanese}) {
        SCOPED_TRACE(testing::Message() << "language " << language);
        Window about = Create(IDD_ABOUTBOX, language);
        Window view = Create(IDD_MIREL_VIEW, language);
        Window form = Create(IDD_FORM_INDIVIDUAL, language);
        Window find = Create(IDD_FIND, language);
        ASSERT_TRUE(about && view && form && find);

        EXPECT_EQ(LOWORD(SendMessageW(about.get(), DM_GETDEFID, 0, 0)), IDOK);
        EXPECT_EQ(LOWORD(SendMessageW(view.get(), DM_GETDEFID, 0, 0)), IDC_RUN);
        EXPECT_EQ(LOWORD(SendMessageW(find.get(), DM_GETDEFID, 0, 0)), IDC_FIND_NEXT);

        EXPECT_EQ(TabOrder(about.get()), std::vector<int>{IDOK});
        EXPECT_EQ(TabOrder(view.get()), (std::vector<int>{IDC_COMPUTER_NAME, IDC_RUN, IDC_RESOURCE_TAB}));
        EXPECT_EQ(TabOrder(form.get()),
                  (std::vector<int>{IDC_LEVEL1, IDC_LEVEL2, IDC_LEVEL3, IDC_CLASS_FIND, IDC_DESCRIPTION, IDC_RESULT_LIST}));
        EXPECT_EQ(TabOrder(find.get()),
                  (std::vector<int>{IDC_FIND_TEXT, IDC_FIND_UP, IDC_MATCH_CASE, IDC_FIND_NEXT, IDCANCEL}));
    }
}

TEST_F(UiDialogs, ControlsBehaveAsTheirStylesPromise)
{
    for (LANGID language : {kEnglish, kJapanese}) {
        SCOPED_TRACE(testing::Message() << "language " << language);
        Window form = Create(IDD_FORM_INDIVIDUAL, language);
        Window view = Create(IDD_MIREL_VIEW, language);
        Window find = Create(IDD_FIND, language);
        ASSERT_TRUE(form && view && find);

        // The drop-down lists are list-only and keep their entries sorted.
        for (int id : {IDC_LEVEL1, IDC_LEVEL2, IDC_LEVEL3}) {
            HWND combo = GetDlgItem(form.get(), id);
            EXPECT_EQ(GetWindowLongW(combo, GWL_STYLE) & 3, CBS_DROPDOWNLIST);
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Win32_Processor"));
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"<Select a Class>"));
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Computer System Hardware Classes"));
            WCHAR first[64] = {};
            SendMessageW(combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
            EXPECT_STREQ(first, L"<Select a Class>");
        }
        // The description is read-only text over several lines.
        HWND description = GetDlgItem(form.get(), IDC_DESCRIPTION);
        LONG editStyle = GetWindowLongW(description, GWL_STYLE);
        EXPECT_TRUE((editStyle & ES_MULTILINE) && (editStyle & ES_READONLY));
        // The result list is a report list that keeps showing its selection.
        HWND list = GetDlgItem(form.get(), IDC_RESULT_LIST);
        LONG listStyle = GetWindowLongW(list, GWL_STYLE);
        EXPECT_EQ(listStyle & LVS_TYPEMASK, LVS_REPORT);
        EXPECT_TRUE(listStyle & LVS_SHOWSELALWAYS);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<LPWSTR>(L"Group");
        column.cx = 50;
        EXPECT_EQ(SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column)), 0);
        EXPECT_TRUE(ListView_GetHeader(list));
        // The tab control starts empty and never takes the focus on a click.
        HWND tab = GetDlgItem(view.get(), IDC_RESOURCE_TAB);
        EXPECT_EQ(TabCtrl_GetItemCount(tab), 0);
        EXPECT_TRUE(GetWindowLongW(tab, GWL_STYLE) & TCS_FOCUSNEVER);
        // The computer-name field scrolls for names longer than the field and drops down.
        EXPECT_EQ(GetWindowLongW(GetDlgItem(view.get(), IDC_COMPUTER_NAME), GWL_STYLE) & (CBS_AUTOHSCROLL | 3),
                  CBS_AUTOHSCROLL | CBS_DROPDOWN);
        // Up and Down form one radio group: checking one clears the other.
        CheckDlgButton(find.get(), IDC_FIND_DOWN, BST_CHECKED);
        SendMessageW(GetDlgItem(find.get(), IDC_FIND_UP), BM_CLICK, 0, 0);
        EXPECT_EQ(IsDlgButtonChecked(find.get(), IDC_FIND_UP), UINT{BST_CHECKED});
        EXPECT_EQ(IsDlgButtonChecked(find.get(), IDC_FIND_DOWN), UINT{BST_UNCHECKED});
        EXPECT_EQ(IsDlgButtonChecked(find.get(), IDC_MATCH_CASE), UINT{BST_UNCHECKED});
    }
}

TEST_F(UiDialogs, AboutBoxShowsTheProgramIcon)
{
    ASSERT_FALSE(ResourceLanguages(MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */, IDR_MAINFRAME).empty())
        << "the program icon is not linked into this build";
    for (LANGID language : {kEnglish, kJapanese}) {
        Window about = Create(IDD_ABOUTBOX, language);
        ASSERT_TRUE(about);
        HWND icon = GetDlgItem(about.get(), IDC_ABOUT_ICON);
        EXPECT_TRUE(SendMessageW(icon, STM_GETICON, 0, 0)) << "language " << language;
    }
}

// ---------------------------------------------------------------- in the user interface language

namespace {

LANGID UserLanguage()
{
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE ? kJapanese : kEnglish;
}

// The width in pixels that a control's text may take without being cut off.
int RoomForText(HWND control)
{
    RECT client{};
    GetClientRect(control, &client);
    int room = client.right - client.left;
    if (ClassOf(control) != L"Button")
        return room;
    switch (GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK) {
    case BS_GROUPBOX:
        return room - 16;
    case BS_AUTOCHECKBOX:
    case BS_CHECKBOX:
    case BS_AUTORADIOBUTTON:
    case BS_RADIOBUTTON:
        return room - GetSystemMetrics(SM_CXMENUCHECK) - 6;
    default:
        return room - 8;
    }
}

int TextWidth(HWND control)
{
    std::wstring text = TextOf(control);
    HDC dc = GetDC(control);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT rect{0, 0, 0, 0};
    UINT format = DT_CALCRECT | DT_SINGLELINE;
    if (ClassOf(control) == L"Static" && (GetWindowLongW(control, GWL_STYLE) & SS_NOPREFIX))
        format |= DT_NOPREFIX;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return rect.right - rect.left;
}

}  // namespace

TEST_F(UiDialogs, InUserLanguageDialogsPickTheUserInterfaceLanguage)
{
    LANGID language = UserLanguage();
    for (const ExpectedDialog& expected : Dialogs()) {
        Window dialog = CreateInUserLanguage(expected.id);
        ASSERT_TRUE(dialog) << "dialog " << expected.id;
        DialogTemplate layout = LoadDialogTemplate(expected.id, language);
        ASSERT_TRUE(layout.valid);
        EXPECT_EQ(TextOf(dialog.get()), layout.caption) << "dialog " << expected.id;
        std::vector<HWND> children = Children(dialog.get());
        ASSERT_EQ(children.size(), layout.controls.size());
        for (size_t index = 0; index < children.size(); ++index) {
            if (layout.controls[index].textOrdinal < 0) {
                EXPECT_EQ(TextOf(children[index]), layout.controls[index].text) << "dialog " << expected.id;
            }
        }
    }
    Window standard = CreateInUserLanguage(IDD_FORM_STANDARD);
    ASSERT_TRUE(standard);
    EXPECT_TRUE(Children(standard.get()).empty());
}

// Each label, button and check box text fits its control when measured with the dialog
// font of the user interface language (the Japanese texts are the longer ones).
TEST_F(UiDialogs, InUserLanguageLabelsFitTheirControls)
{
    for (const ExpectedDialog& expected : Dialogs()) {
        Window dialog = CreateInUserLanguage(expected.id);
        ASSERT_TRUE(dialog) << "dialog " << expected.id;
        for (HWND control : Children(dialog.get())) {
            std::wstring text = TextOf(control);
            bool icon = ClassOf(control) == L"Static" && (GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
            if (text.empty() || icon)
                continue;
            EXPECT_LE(TextWidth(control), RoomForText(control))
                << "dialog " << expected.id << " language " << UserLanguage() << ": \"" << text << "\"";
        }
    }
}
