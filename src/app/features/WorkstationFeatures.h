#pragma once
// Every feature of the workstation installed into a main window: its pages, commands and
// the record page's form. The workstation does this after the login; the day-long
// benchmark does the same to run the program as a ward uses it.
namespace qh::shell {
class MainWindow;
}

namespace qh::app {

void installWorkstationFeatures(shell::MainWindow& main);

}  // namespace qh::app
