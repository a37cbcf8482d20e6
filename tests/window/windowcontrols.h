#pragma once

#include <QStringList>

// The window's controls by object name, as the window tests and the window benchmarks find them.
namespace windowcontrols {

inline const QStringList countBoxes{"txtMarvelous", "txtPerfect", "txtGreat", "txtGood",
                                    "txtBoo",       "txtMiss",    "txtOK",    "txtMaxOK"};
inline const QStringList gradePictures{"imgAAAA", "imgAAA", "imgAA", "imgA",
                                       "imgB",    "imgC",   "imgD"};
inline const QStringList labels{"lblAward",     "lblAwards",    "Label2",     "Label1",
                                "lblShowDP",    "lblShowMaxDP", "lblMaxDP",   "lblNearlyGot",
                                "lblAway",      "lblTitle",     "lblTotalDP", "lblDP",
                                "lblMarvelous", "lblPerfect",   "lblGreat",   "lblGood",
                                "lblBoo",       "lblMiss",      "lblOK",      "lblMaxOK"};

// Marvelous 90, Great 10, OK 3, Max OK 4, in box order.
inline const QStringList typicalPlay{"90", "0", "10", "0", "0", "0", "3", "4"};

} // namespace windowcontrols
