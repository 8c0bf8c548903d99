// The audio layer's file source: group "main" unless a test or tool has installed its own.
#include "audio/AudioFiles.h"

#include "resources/ResourceGroup.h"

#include <utility>

namespace {
AudioFileSource g_source;
}

std::vector<uint8_t> ReadAudioFile(const std::string& name)
{
    if (g_source)
        return g_source(name);
    const ResourceGroup* group = ResourceGroup::GetGroup("main");
    if (!group)
        return {};
    return group->ReadFile(name).bytes;
}

void SetAudioFileSource(AudioFileSource source)
{
    g_source = std::move(source);
}
