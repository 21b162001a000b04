#pragma once
// Stored record documents outside the workstation: written to a file for a referral or
// an insurer, and checked for documents that cannot be read.
#include <QString>
#include <QStringList>
#include <functional>

#include "shell/PatientContext.h"
#include "store/DatabaseFiles.h"

namespace qh::records {

// The stored document 编号 id written to `path` by its extension: ".ewd" the bytes as
// stored, ".pdf" as printed (the header on every page), ".txt" the header then the body as
// plain UTF-8 text. False with the reason, and no file written, for an unknown id or
// extension or a document that cannot be read.
bool exportStoredRecord(const store::DataDirectory& files, qint64 id, const QString& path, QString* error);

// The stored documents that cannot be read, one line each: 编号, 检索 and 病历. They are read
// a page at a time, so ten years of documents never sit in memory at once; progress, when
// given, hears how many of how many have been read after each page.
QStringList unreadableRecords(const store::DataDirectory& files,
                              const std::function<void(qint64 read, qint64 total)>& progress = {});

// The patient of a stay (住院编号); false when there is none.
bool loadStay(const store::DataDirectory& files, const QString& serialNumber, shell::PatientContext* into);

}  // namespace qh::records
