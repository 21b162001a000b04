#pragma once

namespace qh::store {

// The database engine behind a connection. Every workstation of a ward today keeps its
// three files in SQLite; a hospital server would add its engine here, and the dialect
// translation and the connection's backend are the two places that then learn it.
enum class Engine { Sqlite };

}  // namespace qh::store
