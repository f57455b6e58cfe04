#include "editor/resources/DialogTemplate.h"

#include "editor/resources/DialogGroups.h"

namespace
{

// Every group of templates, each in a file of its own.
const std::vector<DialogTemplate>* const kGroups[] = {
    &FrameworkDialogTemplates(),
    &StageEditorDialogTemplates(),
    &WorldMapEditorDialogTemplates(),
    &EventDialogTemplates(),
    &ActionDialogTemplates(),
    &EnemyDialogTemplates(),
    &DatabasePageTemplates(),
    &EffectPageTemplates(),
    &SystemSettingsPageTemplates(),
    &NameListDialogTemplates(),
};

} // namespace

const DialogTemplate* FindDialogTemplate(int id)
{
    for (const std::vector<DialogTemplate>* group : kGroups)
    {
        for (const DialogTemplate& dialog : *group)
        {
            if (dialog.m_nId == id)
            {
                return &dialog;
            }
        }
    }
    return nullptr;
}

std::vector<const DialogTemplate*> AllDialogTemplates()
{
    std::vector<const DialogTemplate*> all;
    for (const std::vector<DialogTemplate>* group : kGroups)
    {
        for (const DialogTemplate& dialog : *group)
        {
            all.push_back(&dialog);
        }
    }
    return all;
}
