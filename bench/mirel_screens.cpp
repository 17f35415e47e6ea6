// Opens Mirel in a chosen state for screenshots: an appearance, a tab, and the results of
// a check of the local computer. Writes the file named by MIREL_READY_FILE when the window
// is ready, then keeps running until it is closed (or for a minute).
//   mirel_screens.exe <look 210..218> standard [page]
//   mirel_screens.exe <look 210..218> individual <group> <category> <class id>
//   mirel_screens.exe <look 210..218> several <computer>...   (the window of many computers)
//   mirel_screens.exe <look 210..218> several-open <computer>...   (then the first one opened)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "individual/form_individual.h"
#include "resources/resource.h"
#include "shell/application.h"
#include "shell/main_frame.h"
#include "shell/multi_check_window.h"
#include "ui/message_loop.h"

namespace {

void RunCheck(MainView& view)
{
    view.OnRunButton();
    ui::PumpMessagesUntil([&] { return view.Run().RunningCheck == kNoCheck; }, 300000);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: mirel_screens <look> standard [page] | individual <group> <category> <class>"
                             " | several <computer>...\n");
        return 2;
    }
    MirelApplication application;
    if (!application.Start(SW_SHOWNORMAL))
        return 1;
    MainFrame& frame = application.Frame();
    frame.Move(0, 0, 980, 640);
    frame.OnApplicationLook(std::atoi(argv[1]));
    MainView& view = frame.View();
    const std::string mode = argv[2];
    if (mode == "several" || mode == "several-open") {
        frame.RunCommand(ID_FILE_CHECK_SEVERAL);
        MultiCheckWindow& window = *view.MultiCheck();
        std::string names;
        for (int index = 3; index < argc; ++index)
            names += std::string(argv[index]) + "\r\n";
        window.SetNames(names);
        window.Move(10, 10, 960, 600);
        window.OnRunButton();
        ui::PumpMessagesUntil([&] { return !window.IsRunning(); }, 300000);
        const ResultModel& rows = window.SummaryList().Model();
        for (int row = 0; mode == "several-open" && row < rows.RowCount(); ++row)
            if (rows.Cell(row, 0) == argv[3])
                window.OpenRow(row);
    } else if (std::string(argv[2]) == "individual" && argc >= 6) {
        frame.RunCommand(ID_VIEW_INDIVIDUAL);
        FormIndividual& form = view.IndividualForm();
        form.ChooseEntry(IDC_LEVEL1, std::atoi(argv[3]));
        form.ChooseEntry(IDC_LEVEL2, std::atoi(argv[4]));
        form.ChooseEntry(IDC_LEVEL3, std::atoi(argv[5]));
        RunCheck(view);
    } else {
        RunCheck(view);
        if (argc >= 4) {
            view.StandardForm().SelectPageInTree(std::atoi(argv[3]));
            view.StandardForm().Tree().SetFocus();
        }
    }
    ui::PumpMessagesUntil([] { return false; }, 1500);
    if (const char* ready = std::getenv("MIREL_READY_FILE")) {
        if (FILE* file = std::fopen(ready, "w"))
            std::fclose(file);
    }
    ui::PumpMessagesUntil([&] { return !IsWindow(frame.Handle()); }, 60000);
    return 0;
}
