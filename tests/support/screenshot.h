#pragma once
// A window's picture, grabbed (it must not be empty) and kept for the manual when
// QH_SCREENSHOT_DIR names a folder (docs/images when the pictures are retaken).
#include <gtest/gtest.h>

#include <QDir>
#include <QPixmap>
#include <QWidget>

namespace qh::test {

inline void screenshot(QWidget& w, const char* file) {
    const QPixmap picture = w.grab();
    EXPECT_FALSE(picture.isNull());
    const QString dir = qEnvironmentVariable("QH_SCREENSHOT_DIR");
    if (dir.isEmpty()) return;
    QDir().mkpath(dir);
    EXPECT_TRUE(picture.save(QDir(dir).filePath(QString::fromUtf8(file))));
}

}  // namespace qh::test
