#pragma once
// What the window title tells, after "Sumwarden - ", while a job runs.
#include "checksum/JobControl.h"

#include <QString>

// "Making check file: 1,234 files, 2.1 GB".
QString MakingTitle(const sumwarden::JobControl::Progress& progress);
// "Verifying 1,234 of 20,000 files (37%)"; empty until the entries are counted.
QString VerifyingTitle(const sumwarden::JobControl::Progress& progress);
// "Hashing 3 of 12 files (45%)"; empty until the files are counted.
QString HashingTitle(const sumwarden::JobControl::Progress& progress);
