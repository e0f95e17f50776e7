// The registry of resource tables linked into the program.
#include "resources.h"

#include <vector>

static std::vector<const ResourceModule *> &modules()
{
    static std::vector<const ResourceModule *> list;
    return list;
}

bool register_resources(const ResourceModule *module)
{
    modules().push_back(module);
    return true;
}

const DialogResource *find_dialog_resource(int id)
{
    for (const ResourceModule *m : modules())
        for (int i = 0; i < m->dialog_count; ++i)
            if (m->dialogs[i].id == id)
                return &m->dialogs[i];
    return nullptr;
}

const RawResource *find_raw_resource(int id, int type)
{
    for (const ResourceModule *m : modules())
        for (int i = 0; i < m->raw_count; ++i)
            if (m->raws[i].id == id && m->raws[i].type == type)
                return &m->raws[i];
    return nullptr;
}
