#include "shell/ui/maintenance/UserWindows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace qh::shell {

namespace {
QLineEdit* passwordBox(const QString& name) {
    auto* box = new QLineEdit;
    box->setObjectName(name);
    box->setEchoMode(QLineEdit::Password);
    return box;
}
}  // namespace

UserManagementWindow::UserManagementWindow(const store::DataDirectory& files, const UserContext& user,
                                           ui::UserInterface& ui, QWidget* parent)
    : QDialog(parent), model_(files, user, ui), home_(user.department) {
    setWindowTitle(QStringLiteral("用户管理"));
    list_ = new QListWidget;
    list_->setObjectName(QStringLiteral("userList"));
    list_->setFixedWidth(150);
    name_ = new QLineEdit;
    name_->setObjectName(QStringLiteral("name"));
    setPassword_ = new QCheckBox(QStringLiteral("设置密码"));
    setPassword_->setObjectName(QStringLiteral("setPassword"));
    setPassword_->setToolTip(QStringLiteral("勾选后以下面输入的密码作为该用户的新密码（管理员重设密码）"));
    password_ = passwordBox(QStringLiteral("password"));
    confirmation_ = passwordBox(QStringLiteral("confirmation"));
    level_ = new QComboBox;
    level_->setObjectName(QStringLiteral("level"));
    level_->addItems(kUserLevels);
    department_ = new QComboBox;
    department_->setObjectName(QStringLiteral("department"));
    department_->addItems(model_.departments());

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("用户姓名"), name_);
    form->addRow(QString(), setPassword_);
    form->addRow(QStringLiteral("用户密码"), password_);
    form->addRow(QStringLiteral("确认密码"), confirmation_);
    form->addRow(QStringLiteral("用户级别"), level_);
    form->addRow(QStringLiteral("所属科室"), department_);

    auto* rightsBox = new QGroupBox(QStringLiteral("用户权限"));
    auto* grid = new QGridLayout(rightsBox);
    for (int i = 0; i < 8; ++i) {
        rights_[i] = new QCheckBox(kRightCaptions[i]);
        rights_[i]->setObjectName(kRightColumns[i]);
        grid->addWidget(rights_[i], i / 4, i % 4);
    }

    auto* add = new QPushButton(QStringLiteral("添  加"));
    auto* modify = new QPushButton(QStringLiteral("修  改"));
    auto* remove = new QPushButton(QStringLiteral("删  除"));
    auto* close = new QPushButton(QStringLiteral("关  闭"));
    add->setObjectName(QStringLiteral("add"));
    modify->setObjectName(QStringLiteral("modify"));
    remove->setObjectName(QStringLiteral("remove"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {add, modify, remove, close}) buttons->addWidget(b);

    auto* right = new QVBoxLayout;
    right->addLayout(form);
    right->addWidget(rightsBox);
    right->addStretch();
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(right, 1);

    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) { showForm(model_.select(row)); });
    connect(add, &QPushButton::clicked, this, [this] {
        if (model_.add(readForm())) fillList();
    });
    connect(modify, &QPushButton::clicked, this, [this] {
        if (model_.modify(readForm())) fillList();
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        if (model_.remove()) fillList();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    resize(560, 340);
}

bool UserManagementWindow::prepare() {
    if (!model_.open()) return false;
    fillList();
    return true;
}

void UserManagementWindow::fillList() {
    const int current = model_.current();
    const UserForm form = model_.form();
    QSignalBlocker block(list_);
    list_->clear();
    for (const ListItem& item : model_.users()) list_->addItem(item.text);
    list_->setCurrentRow(current);
    showForm(form);
}

void UserManagementWindow::showForm(const UserForm& form) {
    name_->setText(form.name);
    setPassword_->setChecked(false);
    password_->clear();
    confirmation_->clear();
    // A new entry starts as a doctor of the logged-in department.
    level_->setCurrentIndex(qMax(0, level_->findText(form.level)));
    department_->setCurrentIndex(department_->findText(form.department.isEmpty() ? home_
                                                                                 : form.department));
    for (int i = 0; i < 8; ++i) rights_[i]->setChecked(form.rights[i]);
}

UserForm UserManagementWindow::readForm() const {
    UserForm form;
    form.name = name_->text();
    // Typing a password is asking to set it; the box is for setting an empty one.
    form.setPassword = setPassword_->isChecked() || !password_->text().isEmpty() || !confirmation_->text().isEmpty();
    form.password = password_->text();
    form.confirmation = confirmation_->text();
    form.level = level_->currentText();
    form.department = department_->currentText();
    for (int i = 0; i < 8; ++i) form.rights[i] = rights_[i]->isChecked();
    return form;
}

OwnPasswordWindow::OwnPasswordWindow(const store::DataDirectory& files, const UserContext& user, ui::UserInterface& ui,
                                     QWidget* parent)
    : QDialog(parent), model_(files, user, ui) {
    setWindowTitle(QStringLiteral("修改密码"));
    old_ = passwordBox(QStringLiteral("oldPassword"));
    new_ = passwordBox(QStringLiteral("newPassword"));
    confirmation_ = passwordBox(QStringLiteral("confirmation"));
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("当前用户"), new QLineEdit(user.userName));
    form->itemAt(0, QFormLayout::FieldRole)->widget()->setEnabled(false);
    form->addRow(QStringLiteral("原 密 码"), old_);
    form->addRow(QStringLiteral("新 密 码"), new_);
    form->addRow(QStringLiteral("确认密码"), confirmation_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确  定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取  消"));
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (model_.change(old_->text(), new_->text(), confirmation_->text())) accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

}  // namespace qh::shell
