#include "shell/ui/LoginWindow.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qh::shell {

LoginWindow::LoginWindow(const store::DataDirectory& files, ui::UserInterface& ui,
                         std::function<void(const UserContext&)> onLoggedIn,
                         QWidget* parent)
    : QWidget(parent), model_(files, ui), onLoggedIn_(std::move(onLoggedIn)) {
    setWindowTitle(QStringLiteral("青禾电子病历 - 用户登录"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* title = new QLabel(QStringLiteral("青禾电子病历"));
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 8);
    big.setBold(true);
    title->setFont(big);
    title->setAlignment(Qt::AlignCenter);
    title->setStyleSheet(QStringLiteral("color:#1f5f3f; padding:8px;"));

    departments_ = new QComboBox;
    departments_->setObjectName(QStringLiteral("departmentList"));
    users_ = new QComboBox;
    users_->setObjectName(QStringLiteral("userList"));
    password_ = new QLineEdit;
    password_->setObjectName(QStringLiteral("passwordBox"));
    password_->setEchoMode(QLineEdit::Password);
    notice_ = new QLabel(LoginModel::noticeText());
    notice_->setObjectName(QStringLiteral("noticeLabel"));
    notice_->setStyleSheet(QStringLiteral("color:#b03020;"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("用户科室"), departments_);
    form->addRow(QStringLiteral("用户姓名"), users_);
    form->addRow(QStringLiteral("验证密码"), password_);

    auto* ok = new QPushButton(QStringLiteral("确  定"));
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("取  消"));
    cancel->setObjectName(QStringLiteral("cancelButton"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addLayout(form);
    layout->addWidget(notice_);
    layout->addLayout(buttons);
    setMinimumWidth(340);

    connect(ok, &QPushButton::clicked, this, &LoginWindow::logIn);
    connect(password_, &QLineEdit::returnPressed, this, &LoginWindow::logIn);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    connect(departments_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (filling_) return;
        model_.chooseDepartment(index);
        showUsers();
    });
    connect(users_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!filling_) model_.chooseUser(index);
    });

    model_.open();
    showDepartments();
}

void LoginWindow::showDepartments() {
    filling_ = true;
    departments_->clear();
    for (const ListItem& d : model_.departments()) departments_->addItem(d.text, d.value);
    departments_->setCurrentIndex(model_.currentDepartment());
    filling_ = false;
    showUsers();
}

void LoginWindow::showUsers() {
    filling_ = true;
    users_->clear();
    for (const ListItem& u : model_.users()) users_->addItem(u.text, u.value);
    users_->setCurrentIndex(model_.currentUser());  // none chosen after a fill
    filling_ = false;
    notice_->setVisible(model_.noticeVisible());
}

void LoginWindow::logIn() {
    UserContext user;
    if (!model_.logIn(password_->text(), user)) {
        // The message was shown; the password is typed again from an empty box.
        password_->clear();
        password_->setFocus();
        return;
    }
    if (onLoggedIn_) onLoggedIn_(user);
}

}  // namespace qh::shell
