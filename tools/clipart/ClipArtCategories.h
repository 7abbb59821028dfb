#pragma once
// The picture library's clip-art: categories of simple drawn pictures, each drawn by a function
// on a square transparent canvas of any size.
#include <QImage>
#include <QList>
#include <QString>
#include <functional>

namespace clipart {

struct Picture {
    QString name;  // the file name without ".png"
    std::function<void(QImage&)> draw;
};

struct Category {
    QString folder;  // the folder's real name, lower case; the library shows it capitalised
    QList<Picture> pictures;
};

QList<Category> categories();

}  // namespace clipart
