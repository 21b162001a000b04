#pragma once

namespace qh::shell {

// The pages of the main window's work area, by the index each has always had.
enum class WorkPage {
    RecordsStart = 0,  // the record page before a patient is chosen
    Records = 1,       // the patient's record documents; entry 0 the patient-information form
    Chart = 2,         // temperature chart
    Orders = 3,        // doctor's orders
    Templates = 4,     // format templates
    Sheet = 5,         // printed sheets with the patient header
    FrontPage = 6,     // medical record front page
    Settings = 7,      // hospital settings (no patient needed)
};
inline constexpr int kWorkPageCount = 8;

}  // namespace qh::shell
