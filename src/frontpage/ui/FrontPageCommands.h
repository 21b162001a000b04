#pragma once
namespace qh::shell {
class Workbench;
}

namespace qh::frontpage {

class FrontPageView;

// Installs the front-page tab (WorkPage::FrontPage) and its command.
FrontPageView* installFrontPage(shell::Workbench& bench);

}  // namespace qh::frontpage
