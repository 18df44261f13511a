// ostrel-icon-sizes: scales the program's icon into the folders of a
// freedesktop icon theme, so that menus and file managers get a picture made
// for each size instead of stretching one themselves.
//
//   ostrel-icon-sizes ICON NAME OUTDIR SIZE...
// writes OUTDIR/<SIZE>x<SIZE>/apps/NAME.png for every SIZE.

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QStringList>

#include <cstdio>

namespace {

// The icon is pixel art: whole multiples keep every pixel square and sharp.
// Other sizes are first blown up to the next whole multiple, then smoothed
// down, which blurs less than smoothing the small original up.
QImage Scaled(const QImage &icon, int size)
{
    const int factor = (size + icon.width() - 1) / icon.width();
    const QImage blown = icon.scaled(icon.width() * factor, icon.height() * factor,
                                     Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (blown.width() == size)
        return blown;
    return blown.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 5) {
        std::fprintf(stderr, "usage: ostrel-icon-sizes ICON NAME OUTDIR SIZE...\n");
        return 64;
    }
    const QImage icon(args[1]);
    if (icon.isNull() || icon.width() != icon.height()) {
        std::fprintf(stderr, "%s is not a square picture\n", qPrintable(args[1]));
        return 1;
    }
    const QDir out(args[3]);
    for (const QString &arg : args.mid(4)) {
        bool isNumber = false;
        const int size = arg.toInt(&isNumber);
        if (!isNumber || size < 1 || size > 1024) {
            std::fprintf(stderr, "bad size %s\n", qPrintable(arg));
            return 64;
        }
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        const QString path = out.filePath(folder + '/' + args[2] + QStringLiteral(".png"));
        if (!out.mkpath(folder) || !Scaled(icon, size).save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
