#!/usr/bin/env bash
# Renders the application icon's PNG sizes from its SVG, with Qt's own SVG
# renderer (the Qt 6 development packages the program builds with). Run it
# after changing the SVG and keep the PNGs beside it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
id=org.quillon.quillon
sizes=(16 22 24 32 48 64 128 256)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/render.cpp" <<'CPP'
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>
#include <cstdlib>

// render SVG OUT_PREFIX SIZE...: writes OUT_PREFIX-SIZE.png for each size.
int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        QImage image(size, size, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter);
        painter.end();
        const QString path = QString::fromLocal8Bit(argv[2]) + "-" + QString::number(size) + ".png";
        if (!image.save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
CPP
c++ -std=c++17 -fPIC "$work/render.cpp" -o "$work/render" $(pkg-config --cflags --libs Qt6Svg Qt6Gui Qt6Core)
QT_QPA_PLATFORM=offscreen "$work/render" "$here/icons/$id.svg" "$here/icons/$id" "${sizes[@]}"
echo "rendered ${sizes[*]} px into $here/icons"
