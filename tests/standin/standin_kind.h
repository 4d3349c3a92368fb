// Which stand-in a copy of the demo CD's stand-in program is, told by where
// it lies on the CD.  One program serves as every product setup, Acrobat
// Reader installer and utility of the demo CD; its string table holds a
// caption and a message per kind.

#ifndef QL_STANDIN_KIND_H
#define QL_STANDIN_KIND_H

enum StandInKind {
    kStandInUnknown,
    kStandInDrivesEnglish,
    kStandInDrivesSpanish,
    kStandInDrivesFrench,
    kStandInDisketteDrive,
    kStandInReaderEnglish,
    kStandInReaderSpanish,
    kStandInReaderFrench,
    kStandInPortTest,
    kStandInKindCount
};

// module_path: the program's own path (any letter case, "\" or "/").
StandInKind ClassifyStandIn(const char *module_path);

// String ids of the kind's caption and message in the stand-in's table.
int StandInCaptionId(StandInKind kind);
int StandInMessageId(StandInKind kind);

#endif
