#pragma once

#include "storage/AppState.h"

#include <QStringList>

// The card files the search benchmarks read, written once by make_corpus.py
// (Python's zipfile) under the temporary folder and kept for later runs.
namespace bench {

struct CardCorpus {
    AppState state;
    QStringList entries; // the card list, as the main window orders it
};

// The corpus `name` of `cards` card files with a picture in every
// `pictureEvery`-th (0: none), made when it is missing.
CardCorpus cardCorpus(const QString& name, int cards, int pictureEvery);

} // namespace bench
