#pragma once
// The uniform page header of record documents: the common page-header document (the GSMB
// row 检索 "通用页眉") with the hospital name and a header line of the patient's fields
// spaced out across the paper's width.
#include <QByteArray>
#include <QString>

#include "records/templates/TemplateSettings.h"

namespace qh::records {

class DocumentPort;

struct HeaderValues {
    QString name, department, room, bed, number;  // bed without "床"
};

// The header line: the shown fields with the gap to the paper's width (84 GBK bytes on
// A4, 74 on B5) spread over the four separators; a line too long gets no padding.
QString composeHeaderLine(const HeaderValues& values, const HeaderFlags& flags, const QString& paper);

// The common page-header document of the paper; empty bytes when there is none.
QByteArray loadCommonHeader(const store::DataDirectory& files, const QString& paper);

// Fills "{医院名称}" and "{眉头}" in the header editor (holding the common page-header
// document), clears its modified flag and places it as the page header of the record.
void composeRecordHeader(DocumentPort& headerEditor, DocumentPort& record, const QString& hospitalName,
                         const HeaderValues& values, const HeaderFlags& flags, const QString& paper);

// The template page's preview: the same header from sample values ("XXX", "X"), each
// field shown when its box on the page is ticked; the department is the login one.
// False when the common page-header document cannot be read.
bool previewTemplateHeader(const store::DataDirectory& files, DocumentPort& templateEditor, const QString& hospitalName,
                           const QString& department, const HeaderFlags& boxes, const QString& paper);

// The record's paper from the base-document column in force: A4 for "A4数据", else B5.
void setRecordPaper(DocumentPort& record, const QString& baseColumn);

}  // namespace qh::records
