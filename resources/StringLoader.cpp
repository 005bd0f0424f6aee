#include "resources/StringLoader.h"

#include <vector>

CStringLoader& ModuleStringLoader() {
    static CStringLoader loader;
    return loader;
}

WString CaricaStringa(UINT id) {
    // A copy, as every caller takes one: the loader is shared module state.
    const CStringLoader loader = ModuleStringLoader();
    const int length = loader.GetLength(id);
    std::vector<char16_t> buffer(static_cast<std::size_t>(length) + 1, u'\0');
    loader.LoadString(id, buffer.data(), length + 1);
    return Xlate(WString(buffer.data(), length));
}
