// The picture of Mosaren Studio in docs/ (screenshot-studio.png): the window with the sample
// textures, a block of grass at 2× and its map, drawn under Xvfb by take_screenshot.sh.
//   studio_screenshot DOCS_FOLDER WORK_FOLDER

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTest>
#include <cstdio>

#include "studio/studio_window.h"
#include "studio/texture_list.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: studio_screenshot DOCS_FOLDER WORK_FOLDER\n", stderr);
        return 2;
    }
    QApplication application(argc, argv);
    const QDir docs(QString::fromLocal8Bit(argv[1]));
    const QDir work(QString::fromLocal8Bit(argv[2]));
    work.mkpath(QStringLiteral("textures"));
    QStringList textures;
    for (const char* name : {"cobbles.bmp", "grass.bmp", "water.bmp", "grate.png"}) {
        const QString copy = work.filePath(QStringLiteral("textures/") + name);
        QFile::copy(docs.filePath(QStringLiteral("examples/") + name), copy);
        textures << copy;
    }

    mosaren::studio::StudioWindow window(QApplication::applicationFilePath());
    window.resize(1360, 860);
    window.show();
    window.Textures()->AddPaths(textures);
    const auto set = [&](const char* name, int index) {
        window.findChild<QComboBox*>(QString::fromLatin1(name))->setCurrentIndex(index);
    };
    set("format", 1);      // PNG
    set("sizePreset", 2);  // 64 × 32
    set("block", 2);       // 24 pixels high
    set("zoom", 1);        // 2×
    window.SaveProjectAs(work.filePath(QStringLiteral("mosaren.toml")));
    window.Textures()->setCurrentRow(1, QItemSelectionModel::ClearAndSelect);  // grass
    if (!QTest::qWaitFor([&] { return window.Textures()->Reading() == 0 && !window.PreviewBusy(); },
                         30000)) {
        std::fputs("the preview did not come\n", stderr);
        return 1;
    }
    QTest::qWait(500);
    const QString file = docs.filePath(QStringLiteral("screenshot-studio.png"));
    if (!window.grab().save(file)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return 1;
    }
    return 0;
}
