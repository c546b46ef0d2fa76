// CMagVar and CMagHdgDevnGraph: the magnetic-variation library's objects that a program keeps
// for its lifetime without asking anything of them yet: the variation of a place, from the
// built-in model, and a compass's heading-deviation graph, empty.
#pragma once

#include "outside/deklino/MagneticModel.h"

class CMagVar
{
public:
    CMagVar() = default;

    CMagneticModel m_Model;
};

class CMagHdgDevnGraph
{
public:
    CMagHdgDevnGraph() = default;
};
