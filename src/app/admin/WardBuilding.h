#pragma once
// demo and generate build a whole ward in a folder beside DIR and move it in only when it is
// complete (store::publishDataFiles), so a full disk or a kill never leaves a half-built ward
// under DIR.
#include <QTemporaryDir>
#include <QTextStream>
#include <memory>

namespace qh::admin {

// A fresh ward's three files in a temporary folder beside dir, or null (the reason printed on
// err) when dir already holds a file of a ward or the files cannot be made.
std::unique_ptr<QTemporaryDir> startWardBeside(const QString& dir, const QString& tag, QTextStream& err);

// Moves the ward built in building into dir and prints where (on out) or why not (on err).
bool publishWard(const QTemporaryDir& building, const QString& dir, QTextStream& out, QTextStream& err);

}  // namespace qh::admin
