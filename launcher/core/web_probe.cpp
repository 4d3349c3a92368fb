#include "core/web_probe.h"

#include "common/core/text_builder.h"
#include "core/menu_model.h"

namespace {

const char kRpcProtocolsKey[] = "Software\\Microsoft\\Rpc\\ClientProtocols";
const char kTcpProtocolValue[] = "ncacn_ip_tcp";
const char kHtmKey[] = ".htm";
const char kHtmOpenKey[] = ".htm\\Shell\\Open\\Command";
const char kOpenCommandSuffix[] = "\\shell\\open\\command";

// A value counts when it can be read into the buffer, whatever its type; one
// longer than the buffer cannot be read. Only a string value can be empty
// text, another value only empty data.
bool ValuePresent(const RegistryReader &registry, RegistryRoot root, const char *key,
                  const char *name, bool mustBeNonEmpty)
{
    char buffer[kRegistryBufferSize + 1];
    std::size_t read = 0;
    switch (registry.Read(root, key, name, buffer, kRegistryBufferSize, &read)) {
    case RegistryStatus::kRead:
        TerminateRegistryText(buffer, read);
        return !mustBeNonEmpty || buffer[0] != '\0';
    case RegistryStatus::kReadData:
        return !mustBeNonEmpty || read > 0;
    default:
        return false;
    }
}

} // namespace

void TerminateRegistryText(char *buffer, std::size_t bytesRead)
{
    if (bytesRead > kRegistryBufferSize)
        bytesRead = kRegistryBufferSize;
    buffer[bytesRead] = '\0';
}

bool JoinKeyName(char *dest, std::size_t size, const char *a, const char *b)
{
    return TextBuilder(dest, size).Add(a).Add(b).Finish();
}

bool WebAccessAvailable(const RegistryReader &registry)
{
    if (!ValuePresent(registry, RegistryRoot::kLocalMachine, kRpcProtocolsKey, kTcpProtocolValue,
                      true))
        return false;

    // The class name is needed whole: a cut name would name another key.
    char className[kRegistryBufferSize + 1];
    std::size_t read = 0;
    RegistryStatus status = registry.Read(RegistryRoot::kClassesRoot, kHtmKey, nullptr, className,
                                          kRegistryBufferSize, &read);
    if (status != RegistryStatus::kRead && status != RegistryStatus::kReadData)
        return false;
    TerminateRegistryText(className, read);

    if (ValuePresent(registry, RegistryRoot::kClassesRoot, kHtmOpenKey, nullptr, false))
        return true;

    char commandKey[kRegistryBufferSize + sizeof kOpenCommandSuffix];
    if (!JoinKeyName(commandKey, sizeof commandKey, className, kOpenCommandSuffix))
        return false;
    return ValuePresent(registry, RegistryRoot::kClassesRoot, commandKey, nullptr, false);
}

void MarkWebButtons(bool webAvailable, const StringSource &strings,
                    unsigned char unavailable[kMaxButtons])
{
    char code[kTextBufferSize];
    for (int i = 0; i < 4; i++) {
        unavailable[i] = 0;
        if (webAvailable)
            continue;
        if (!strings.Load(ActionId(i), code, sizeof code))
            code[0] = '\0';
        if (ParseActionCode(code) == kWebUpdateAction)
            unavailable[i] = 1;
    }
}
