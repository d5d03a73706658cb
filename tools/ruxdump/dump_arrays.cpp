// Byte arrays and message variables.

#include "tools/ruxdump/dump_layout.h"
#include "tools/ruxdump/dump_sections.h"
#include "tools/ruxdump/world_labels.h"

#include <string>

namespace ruxdump {

void dumpArrays(const rux::World& world, const TextIndex& texts, std::ostream& out) {
    if (world.counts.arrayCount != 0) {
        heading(out, "Byte arrays");
        Table table(2);
        table.alignRight(0);
        table.alignRight(1);
        table.alignRight(2);
        for (int a = 0; a < world.counts.arrayCount && a < rux::maxByteArrays; ++a) {
            const rux::ByteArray& array = world.byteArrays[a];
            table.addRow({std::to_string(a + 1),
                          std::to_string(array.dim1) + " x " + std::to_string(array.dim2) + " x " +
                              std::to_string(array.dim3),
                          "= " + std::to_string(array.size) + " bytes",
                          "at code offset " + std::to_string(array.start * 4)});
        }
        table.print(out);
    }
    Table messages(2);
    messages.alignRight(0);
    for (int i = 1; i <= world.counts.messageVariableCount; ++i) {
        const rux::TextRef ref = world.messageVariables[i];
        if (ref.mark != 0 || ref.variant != 0)
            messages.addRow({std::to_string(i), textRefLabel(texts, ref)});
    }
    if (!messages.empty()) {
        heading(out, "Message variables");
        messages.print(out);
    }
}

} // namespace ruxdump
