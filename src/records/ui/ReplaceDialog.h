#pragma once
// "替换": find a text and replace every occurrence of it.
#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace qh::records {

class ReplaceDialog : public QDialog {
    Q_OBJECT
public:
    explicit ReplaceDialog(QWidget* parent = nullptr);
    void showResult(int count);
    QLineEdit* findEdit() const { return find_; }
    QLineEdit* replacementEdit() const { return replacement_; }
    QLabel* resultLabel() const { return result_; }
    void requestReplaceAll();

signals:
    void replaceAllRequested(const QString& find, const QString& replacement, bool caseSensitive);

private:
    QLineEdit* find_;
    QLineEdit* replacement_;
    QCheckBox* caseSensitive_;
    QLabel* result_;
};

}  // namespace qh::records
