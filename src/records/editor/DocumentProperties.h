#pragma once
// The editor's own text-format properties. They live beside Qt's formatting properties on
// characters, table cells and blocks, and travel with the document in the .ewd file under
// the names given in propertyName() (see docs/ewd-format.md).
#include <QTextFormat>

namespace qh::records {

enum DocumentProperty : int {
    // QString on a table cell format or on a run of characters: the name by which the host
    // fills the cell or inline field ("XM", "XB", ...).
    AliasProperty = QTextFormat::UserProperty + 1,
    // int RevisionKind on a run of characters marked by track-changes mode.
    RevisionKindProperty = QTextFormat::UserProperty + 2,
    RevisionAuthorProperty = QTextFormat::UserProperty + 3,   // QString, the user's name
    RevisionTimeProperty = QTextFormat::UserProperty + 4,     // QString 'YYYY-MM-DD HH:MM:SS'
    // The run's own look before the revision colouring was applied, so that accepting or
    // rejecting gives back exactly what the writer chose. Absent when the run had none.
    SavedForegroundProperty = QTextFormat::UserProperty + 5,
    SavedUnderlineStyleProperty = QTextFormat::UserProperty + 6,
    SavedUnderlineColorProperty = QTextFormat::UserProperty + 7,
    SavedStrikeOutProperty = QTextFormat::UserProperty + 8,
    // Qt keeps the older single-underline flag beside the underline style; saved likewise.
    SavedFontUnderlineProperty = QTextFormat::UserProperty + 9,
};

enum class RevisionKind : int { None = 0, Insertion = 1, Deletion = 2 };

}  // namespace qh::records
