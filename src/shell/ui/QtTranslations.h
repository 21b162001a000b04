#pragma once
// Qt's own Chinese texts: the standard buttons, the file dialogs and the editors' context
// menus read 确定, 取消, 撤销, 复制, 粘贴 … instead of OK, Undo, Copy.
class QCoreApplication;

namespace qh::shell {

// Loads the distribution's qtbase translation for simplified Chinese into the application;
// false when it is not installed (the texts then stay English).
bool installQtChineseTranslations(QCoreApplication& app);

}  // namespace qh::shell
