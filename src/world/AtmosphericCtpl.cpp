// CAtmosphericCtpl: the battle-effects controller; it holds no effects yet.
#include "world/AtmosphericCtpl.h"

CAtmosphericCtpl::CAtmosphericCtpl() = default;
CAtmosphericCtpl::~CAtmosphericCtpl() = default;

void CAtmosphericCtpl::EmitContrails(const Vec3& left, const Vec3& right, bool maneuver)
{
    (void)left;
    (void)right;
    (void)maneuver;
}

void CAtmosphericCtpl::EmitFire(uint64_t id, const Vec3& at)
{
    (void)id;
    (void)at;
}

void CAtmosphericCtpl::Update(float dt)
{
    (void)dt;
}

void CAtmosphericCtpl::Draw() {}
