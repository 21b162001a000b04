#pragma once
// The record-documents page of the main window: the document list on the left, whose
// entry 0 is the patient-information entry, and on the right the sub-page of the selected
// entry. Entry 0 shows the patient-information form; entries 1.. are the patient's record
// documents, shown by the document area once it is installed.
#include <QWidget>
#include <functional>

class QListWidget;
class QStackedWidget;

namespace qh::records {

class RecordPage : public QWidget {
    Q_OBJECT
public:
    // patientInformation becomes the sub-page of entry 0.
    explicit RecordPage(QWidget* patientInformation, QWidget* parent = nullptr);

    QListWidget* documentList() const { return list_; }
    // Places the sub-page that shows the document entries (the record editor).
    void setDocumentArea(QWidget* area);

    // Removes every entry but entry 0 and selects it.
    void clearDocuments();
    // Appends a document entry carrying its 编号; returns its row.
    int addDocument(const QString& caption, qint64 id);
    void selectEntry(int row);
    int currentEntry() const;
    bool showsPatientInformation() const { return currentEntry() == 0; }
    // The 编号 of the selected document entry; 0 on entry 0.
    qint64 currentDocumentId() const;

    // "保存病历" on this page: entry 0 saves the form, a document entry the document.
    void setPatientInformationSave(std::function<void()> save) { saveInformation_ = std::move(save); }
    void setDocumentSave(std::function<void()> save) { saveDocument_ = std::move(save); }
    void save();

signals:
    // A document entry was chosen (the editor opens it).
    void documentChosen(qint64 id);

private:
    void showEntry(int row);

    QListWidget* list_;
    QStackedWidget* area_;
    QWidget* documentArea_ = nullptr;
    std::function<void()> saveInformation_;
    std::function<void()> saveDocument_;
};

}  // namespace qh::records
