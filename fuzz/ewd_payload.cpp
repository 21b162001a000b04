// ewd_payload OUTDIR FILE.ewd...: writes the JSON payload of each .ewd file into OUTDIR
// (same name, ".json"), as seeds for the document fuzzer's payload inputs.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: ewd_payload OUTDIR FILE.ewd...\n");
        return 2;
    }
    constexpr int kHeaderSize = 18;  // magic, version, length, CRC (docs/ewd-format.md)
    const QDir out(QString::fromLocal8Bit(argv[1]));
    int written = 0;
    for (int i = 2; i < argc; ++i) {
        QFile in(QString::fromLocal8Bit(argv[i]));
        if (!in.open(QIODevice::ReadOnly)) continue;
        const QByteArray bytes = in.readAll();
        if (bytes.size() <= kHeaderSize) continue;
        const QByteArray payload =
            qUncompress(reinterpret_cast<const uchar*>(bytes.constData() + kHeaderSize), bytes.size() - kHeaderSize);
        if (payload.isEmpty()) continue;
        QFile json(out.filePath(QFileInfo(in).completeBaseName() + QStringLiteral(".json")));
        if (json.open(QIODevice::WriteOnly) && json.write(payload) == payload.size()) ++written;
    }
    std::printf("%d payloads\n", written);
    return 0;
}
