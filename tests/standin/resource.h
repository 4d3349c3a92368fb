// Resource ids of the demo CD's stand-in program.  Strings: caption
// 100 + kind, message 200 + kind (StandInKind in standin_kind.h).

#define IDS_CAPTION_BASE 100
#define IDS_MESSAGE_BASE 200
