// Runs a fuzz target over every file of its seed corpus, without libFuzzer: the corpus stays a
// test of the ordinary build, and the sanitizer build checks it for memory errors.
#include <QDir>
#include <QFile>
#include <QTextStream>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

int main(int argc, char *argv[])
{
    int files = 0;
    for (int i = 1; i < argc; ++i) {
        const QDir folder(QString::fromLocal8Bit(argv[i]));
        for (const QString &name : folder.entryList(QDir::Files, QDir::Name)) {
            QFile file(folder.filePath(name));
            if (!file.open(QIODevice::ReadOnly)) {
                QTextStream(stderr) << "illisible : " << file.fileName() << Qt::endl;
                return 1;
            }
            const QByteArray bytes = file.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
            ++files;
        }
    }
    if (files == 0) {
        QTextStream(stderr) << "aucun fichier dans le corpus" << Qt::endl;
        return 1;
    }
    return 0;
}
