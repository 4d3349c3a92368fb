// The shared section between the driver and the hook DLL.
#ifndef QL_PAINT_COUNTER_SHARED_H
#define QL_PAINT_COUNTER_SHARED_H

#define QL_PAINT_COUNTER_MAPPING "QlPaintCounter"

// Layout of the mapping: [0] the count, then the class name to count.
enum { PaintCountSlot = 0, PaintClassOffset = 16, PaintClassSize = 64, PaintMappingSize = 128 };

#endif
