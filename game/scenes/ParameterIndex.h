#pragma once

// Positions of the nine parameters in every nine-element array of units,
// classes, items, lands and skills.

enum ParameterIndex : int
{
    kParamHp,
    kParamSp,
    kParamAttack,
    kParamDefence,
    kParamMagic,
    kParamResistance,
    kParamSkill,
    kParamReaction,
    kParamSpeed,
};
