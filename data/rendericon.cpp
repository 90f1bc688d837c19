// Renders the application icon's SVG to the PNG sizes of the hicolor theme, at build time:
//   rendericon corvane.svg OUTDIR 48 128 256  →  OUTDIR/48x48/corvane.png, ...
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

int main(int argc, char *argv[])
{
    if (argc < 4) {
        QTextStream(stderr) << "Usage : rendericon ICONE.svg DOSSIER TAILLE..." << Qt::endl;
        return 2;
    }
    const QString svg = QString::fromLocal8Bit(argv[1]);
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) {
        QTextStream(stderr) << "SVG illisible : " << svg << Qt::endl;
        return 1;
    }
    const QString name = QFileInfo(svg).completeBaseName() + QStringLiteral(".png");
    for (int i = 3; i < argc; ++i) {
        bool ok = false;
        const int size = QByteArray(argv[i]).toInt(&ok);
        if (!ok || size <= 0 || size > 1024) {
            QTextStream(stderr) << "Taille invalide : " << argv[i] << Qt::endl;
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            renderer.render(&painter);
        }
        const QString folder = QString::fromLocal8Bit(argv[2]) + QStringLiteral("/%1x%1").arg(size);
        if (!QDir().mkpath(folder) || !image.save(folder + QLatin1Char('/') + name)) {
            QTextStream(stderr) << "Impossible d'écrire " << folder << '/' << name << Qt::endl;
            return 1;
        }
    }
    return 0;
}
