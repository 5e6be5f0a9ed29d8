#include "verify/Verification.h"

#include "engine/EngineRun.h"
#include "engine/SandCurve.h"
#include "engine/SiltCurve.h"
#include "engine/ClayPowerCurve.h"
#include "engine/StiffClayFreeWaterCurve.h"
#include "engine/StrongRockCurve.h"
#include "engine/WeakRockCurve.h"
#include "model/SoilType.h"
#include "units/Constants.h"
#include "units/NumberFormat.h"
#include "verify/ClosedForms.h"
#include "verify/DesignExamples.h"
#include "verify/MonteCarloPile.h"
#include "verify/PileFamily.h"
#include "verify/StagedAnchor.h"
#include "verify/WallFrictionCoefficients.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <functional>
#include <map>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// Closed forms are met to within the discretisation error of 200 increments.
constexpr double ClosedFormTolerance = 0.005;
// A free-head pile against the same equations solved with the exact curves.
constexpr double ExactCurveTolerance = 0.005;
// A p-y curve is the published formula evaluated in the same arithmetic.
constexpr double CurveTolerance = 1e-9;
// The sums of forces and moments relative to the sums of their magnitudes.
constexpr double EquilibriumTolerance = 1e-6;
constexpr int Increments = 200;

double Error(double computed, double reference)
{
    const double d = std::fabs(computed - reference);
    return reference == 0 ? d : d / std::fabs(reference);
}

VerificationCase Case(std::string group, std::string name, double computed, double reference, double tolerance)
{
    return {std::move(group), std::move(name), computed, reference, Error(computed, reference), tolerance};
}

VerificationCase Failure(std::string group, std::string name, double reference, double tolerance)
{
    VerificationCase c{std::move(group), std::move(name), std::nan(""), reference, std::nan(""), tolerance};
    c.error = HUGE_VAL;
    return c;
}

// A scratch folder of its own, removed when done.
struct ScratchFolder {
    ScratchFolder()
    {
        const auto tick = std::chrono::steady_clock::now().time_since_epoch().count();
        path = fs::temp_directory_path() / ("torvik-verify-" + std::to_string(tick));
        fs::create_directories(path);
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    fs::path path;
};

// Analyses a wall saved as a data file; the first analysis, or none when it
// failed.
const SectionRun* Analyse(const fs::path& file, RunOutcome& outcome)
{
    outcome = EngineRun::Analyse(file.string());
    if (outcome.sections.empty() || !outcome.sections.front().Ok())
        return nullptr;
    return &outcome.sections.front();
}

void Equilibrium(std::vector<VerificationCase>& out, const std::string& name, const SectionResult& r)
{
    out.push_back(Case("Equilibrium", name + ": force sum / magnitudes", r.ForceResidual(), 0, EquilibriumTolerance));
    out.push_back(Case("Equilibrium", name + ": moment sum / magnitudes", r.MomentResidual(), 0, EquilibriumTolerance));
}

const char* ClosedFormTitle(const std::string& name)
{
    static const std::map<std::string, const char*> titles = {
        {"HetenyiTopLoad", "Beam on elastic foundation, free head, top load: top deflection"},
        {"HetenyiTopMoment", "Beam on elastic foundation, free head, top moment: top deflection"},
        {"HetenyiMaxMoment", "Beam on elastic foundation, free head, top load: largest moment"},
        {"FixedHead", "Beam on elastic foundation, fixed head, top load: top deflection"},
        {"CantileverPoint", "Cantilever, point load at the top: top deflection"},
        {"CantileverUniform", "Cantilever, uniform load: top deflection"},
        {"CantileverTriangular", "Cantilever, triangular load: top deflection"},
        {"HetenyiExternalCurves", "Beam on linear external p-y curves, top load: top deflection"},
        {"CantileverMomentEiHalvesEi", "Cantilever with a moment-EI curve of EI/2: top deflection"},
        {"BeamColumnAxialLoad", "Beam-column on elastic foundation, axial load N: top deflection"},
    };
    const auto at = titles.find(name);
    return at == titles.end() ? "" : at->second;
}

void ClosedForms(std::vector<VerificationCase>& out, std::vector<VerificationCase>& balance, const fs::path& folder)
{
    using namespace closedform;
    for (const WholeCase& c : WholeCases) {
        const fs::path file = folder / (std::string(c.name) + ".tk4d");
        {
            Beam b(Increments, c.length);
            c.setup(b);
            b.wall.Save(file.string());
        }
        RunOutcome outcome;
        const SectionRun* s = Analyse(file, outcome);
        const std::string title = ClosedFormTitle(c.name);
        if (!s) {
            out.push_back(Failure("Closed form", title, c.exact, ClosedFormTolerance));
            continue;
        }
        const SectionResult& r = s->result;
        double value = r.y.front();
        if (c.moment) {
            value = 0;
            for (double m : r.moment)
                value = std::max(value, m);
        }
        out.push_back(Case("Closed form", title, value, c.exact, ClosedFormTolerance));
        if (!c.moment)
            Equilibrium(balance, title.substr(0, title.find(':')), r);
    }
}

// A cantilever sheet-pile wall in sand: 6 m retained, 12 m long, generated
// earth pressure and p-y curves; the nonlinear analysis must be in equilibrium.
void SandCantilever(std::vector<VerificationCase>& out, const fs::path& folder)
{
    const fs::path file = folder / "SandCantilever.tk4d";
    {
        WallBuilder w(UnitSystem::SI, 60, 0.2);
        w.Stiffness(0, 60, 40000);
        w.Generated(TEarthPressure::Triangular, 6.0, 1.0, 1.0);
        w.Layer(SoilCode(SoilType::Sand), 20.0, {18, 32, 20000}, {18, 32, 20000});
        w.wall->MaxDeflection = 2.0;
        w.wall->ClosureTolerance = 1e-6;
        w.Save(file.string());
    }
    RunOutcome outcome;
    if (const SectionRun* s = Analyse(file, outcome))
        Equilibrium(out, "Cantilever in sand, generated curves", s->result);
    else
        out.push_back(Failure("Equilibrium", "Cantilever in sand, generated curves: the analysis converges", 0,
                              EquilibriumTolerance));
}

// ---- The p-y criteria as published, written out independently of the engine
// ----

double Rad(double degrees)
{
    return degrees * kPi / 180;
}

// Matlock (1970); Welch and Reese (1972) with exponent 1/4 and 16 y50.
double ClayPowerCurve(double pu, double y50, double exponent, double yLimit, double y)
{
    return y >= yLimit * y50 ? pu : 0.5 * pu * std::pow(y / y50, exponent);
}

double MatlockPu(double c, double ca, double s, double b, double x)
{
    return std::min((3 + s / ca + 0.5 * x / b) * ca * b, 9 * c * b);
}

// Reese, Cox and Koop (1975), static: four segments after y50 = eps50 b.
double StiffClayFreeWater(double pc, double as, double y50, double y)
{
    const double a = as * y50;
    if (y <= a)
        return 0.5 * pc * std::sqrt(y / y50);
    if (y <= 6 * a)
        return 0.5 * pc * std::sqrt(y / y50) - 0.055 * pc * std::pow((y - a) / a, 1.25);
    if (y <= 18 * a)
        return 0.5 * pc * std::sqrt(6 * as) - 0.411 * pc - 0.0625 / y50 * pc * (y - 6 * a);
    return pc * (1.225 * std::sqrt(as) - 0.75 * as - 0.411);
}

// Reese, Cox and Koop (1974), static: the wedge and the flow resistance.
double SandPs(double phiDeg, double gammaX, double b, double x)
{
    const double phi = Rad(phiDeg), a = phi / 2, beta = Rad(45 + phiDeg / 2), k0 = 0.4;
    const double ka = std::pow(std::tan(Rad(45 - phiDeg / 2)), 2);
    const double pst = gammaX * (k0 * x * std::tan(phi) * std::sin(beta) / (std::tan(beta - phi) * std::cos(a)) +
                                 std::tan(beta) / std::tan(beta - phi) * (b + x * std::tan(beta) * std::tan(a)) +
                                 k0 * x * std::tan(beta) * (std::tan(phi) * std::sin(beta) - std::tan(a)) - ka * b);
    const double psd = ka * b * gammaX * (std::pow(std::tan(beta), 8) - 1) +
                       k0 * b * gammaX * std::tan(phi) * std::pow(std::tan(beta), 4);
    return std::min(pst, psd);
}

// The sand curve through (ym, pm) and (yu, pu): parabola, straight line,
// constant.
double SandShape(double pm, double pu, double b, double y)
{
    const double ym = b / 60, yu = 3 * b / 80;
    const double m = (pu - pm) / (yu - ym), n = pm / (m * ym), c = pm / std::pow(ym, 1 / n);
    if (y <= ym)
        return c * std::pow(y, 1 / n);
    if (y <= yu)
        return pm + m * (y - ym);
    return pu;
}

// Reese (1997), weak rock.
double WeakRock(double qu, double eir, double krm, double rqd, double b, double xr, double y)
{
    const double ar = 1 - 2.0 / 3.0 * rqd / 100;
    const double pur = xr <= 3 * b ? ar * qu * b * (1 + 1.4 * xr / b) : 5.2 * ar * qu * b;
    const double kir = (xr <= 3 * b ? 100 + 400 * xr / (3 * b) : 500) * eir;
    const double yrm = krm * b, ya = std::pow(pur / (2 * std::pow(yrm, 0.25) * kir), 4.0 / 3.0);
    if (y <= ya)
        return kir * y;
    if (y <= 16 * yrm)
        return pur / 2 * std::pow(y / yrm, 0.25);
    return pur;
}

// Reese and Nyman (1978), strong rock.
double StrongRock(double qu, double b, double y)
{
    const double su = qu / 2;
    if (y <= 0.0004 * b)
        return 2000 * su * y;
    if (y <= 0.0024 * b)
        return 0.8 * b * su + 100 * su * (y - 0.0004 * b);
    return b * su;
}

// Compares a curve of the engine with its reference at the given deflections
// (the engine's p is positive for negative y: the deflection is passed as -y).
void CompareCurve(std::vector<VerificationCase>& out, const std::string& group, double x, const engine::PyCurve& curve,
                  const std::function<double(double)>& reference, const std::vector<double>& deflections,
                  const char* length)
{
    for (double y : deflections) {
        const std::string name =
            "x = " + FormatGeneral(x, 4) + " " + length + ", y = " + FormatGeneral(y, 4) + " " + length + ": p";
        out.push_back(Case(group, name, curve.Resistance(-y), reference(y), CurveTolerance));
    }
}

std::vector<double> Scaled(double unit, std::initializer_list<double> factors)
{
    std::vector<double> v;
    for (double f : factors)
        v.push_back(unit * f);
    return v;
}

// SI values of typical soils and rocks; b = 1 m; x below the excavation level.
void PyCriteria(std::vector<VerificationCase>& out)
{
    const double b = 1.0, g = 9.0;  // width (m), effective unit weight (kN/m^3)
    const double depths[] = {0.5, 2.0, 6.0};
    for (double x : depths) {
        const double s = g * x;
        const double c = 25, eps = 0.02, y50 = 2.5 * eps * b;
        const double pu = MatlockPu(c, c, s, b, x);
        CompareCurve(
            out, "p-y: soft clay, Matlock (1970)", x, engine::ClayPowerCurve(engine::ClayPowerCurve::SoftClay, c, c, s, eps, b, x, 0),
            [&](double y) { return ClayPowerCurve(pu, y50, 1.0 / 3, 8, y); }, Scaled(y50, {0.2, 1, 4, 10}), "m");
    }
    for (double x : depths) {
        const double s = g * x;
        const double c = 100, ca = 80, eps = 0.005, y50 = 2.5 * eps * b;
        const double pu = MatlockPu(c, ca, s, b, x);
        CompareCurve(
            out, "p-y: stiff clay without free water, Welch and Reese (1972)", x,
            engine::ClayPowerCurve(engine::ClayPowerCurve::StiffClayNoFreeWater, c, ca, s, eps, b, x, 0),
            [&](double y) { return ClayPowerCurve(pu, y50, 0.25, 16, y); }, Scaled(y50, {0.2, 1, 8, 20}), "m");
    }
    for (double x : depths) {
        // x/b of 1 and more: As of the chart (as the engine reads it) above 0.4.
        const double xc = x + 1, c = 100, ca = 80, eps = 0.005, y50 = eps * b;
        const engine::StiffClayFreeWaterCurve curve(c, ca, g * xc, eps, b, xc, 0);
        const double pc = std::min(2 * ca * b + g * xc * b + 2.83 * ca * xc, 11 * c * b), as = curve.As();
        CompareCurve(
            out, "p-y: stiff clay with free water, Reese, Cox and Koop (1975)", xc, curve,
            [&](double y) { return StiffClayFreeWater(pc, as, y50, y); }, Scaled(as * y50, {0.5, 3, 10, 25}), "m");
    }
    for (double x : depths) {
        const double s = g * x;
        // A and B of the published charts, as the engine tabulates them.
        const double phi = 34;
        const double ps = SandPs(phi, s, b, x);
        const double pu = engine::SandCurve::FactorA(x / b) * ps, pm = engine::SandCurve::FactorB(x / b) * ps;
        CompareCurve(
            out, "p-y: sand, Reese, Cox and Koop (1974)", x, engine::SandCurve(phi, s, b, x, 0),
            [&](double y) { return SandShape(pm, pu, b, y); }, Scaled(b, {0.005, 1.0 / 60, 0.03, 0.1}), "m");
    }
    for (double x : depths) {
        const double s = g * x;
        const double phi = 28, c = 10;
        const double ps = SandPs(phi, s, b, x), pc = MatlockPu(c, c, s, b, x);
        const double pu = engine::SandCurve::FactorA(x / b) * ps + pc;
        const double pm = engine::SandCurve::FactorB(x / b) * ps + pc;
        CompareCurve(
            out, "p-y: silt (c-phi soil), Evans and Duncan (1982)", x, engine::SiltCurve(phi, c, s, b, x, 0),
            [&](double y) { return SandShape(pm, pu, b, y); }, Scaled(b, {0.005, 1.0 / 60, 0.03, 0.1}), "m");
    }
    for (double x : depths) {
        const double qu = 5000, eir = 1e6, krm = 5e-4, rqd = 50;
        CompareCurve(
            out, "p-y: weak rock, Reese (1997)", x, engine::WeakRockCurve(qu, eir, krm, rqd, b, x),
            [&](double y) { return WeakRock(qu, eir, krm, rqd, b, x, y); }, Scaled(krm * b, {0.001, 1, 10, 20}), "m");
    }
    const double qu = 50000;
    CompareCurve(
        out, "p-y: strong rock, Reese and Nyman (1978)", 0, engine::StrongRockCurve(qu, b),
        [&](double y) { return StrongRock(qu, b, y); }, Scaled(b, {0.0002, 0.001, 0.003}), "m");
}

// Each pile of the family at each of its head loads: the engine's top deflection
// and largest moment against the exact-curve solution.
void ExactCurvePiles(std::vector<VerificationCase>& out)
{
    for (const PileFamilyCase& pile : PileFamily()) {
        const std::string group = "Exact-curve pile: " + pile.criterion;
        for (double load : pile.loads) {
            const PileComparison c = ComparePile(pile, load);
            const std::string head = "free head, " + FormatGeneral(load, 6) + " kN at the head: ";
            const std::string top = head + "top deflection (m)", moment = head + "largest moment (kN m)";
            if (!c.engineOk || !c.exactOk) {
                out.push_back(Failure(group, top, c.exactTop, ExactCurveTolerance));
                out.push_back(Failure(group, moment, c.exactMoment, ExactCurveTolerance));
                continue;
            }
            out.push_back(Case(group, top, c.engineTop, c.exactTop, ExactCurveTolerance));
            out.push_back(Case(group, moment, c.engineMoment, c.exactMoment, ExactCurveTolerance));
        }
    }
}

std::string Num(double v)
{
    return std::isfinite(v) ? FormatGeneral(v, 7) : "-";
}

std::string ErrorText(const VerificationCase& c)
{
    return std::isfinite(c.error) ? FormatGeneral(c.error, 2) : "-";
}

}  // namespace

std::vector<VerificationCase> RunVerification()
{
    std::vector<VerificationCase> out;
    std::vector<VerificationCase> balance;
    {
        ScratchFolder folder;
        ClosedForms(out, balance, folder.path);
        SandCantilever(balance, folder.path);
        StagedAnchor(out, folder.path);
        DesignExamples(out, folder.path);
        MonteCarloPile(out, folder.path);
    }
    out.insert(out.end(), balance.begin(), balance.end());
    PyCriteria(out);
    WallFrictionCoefficients(out);
    ExactCurvePiles(out);
    return out;
}

int FailedCount(const std::vector<VerificationCase>& cases)
{
    return static_cast<int>(std::count_if(cases.begin(), cases.end(), [](const auto& c) { return !c.Passed(); }));
}

std::string VerificationText(const std::vector<VerificationCase>& cases)
{
    std::ostringstream s;
    std::string group;
    size_t width = 8;
    for (const VerificationCase& c : cases)
        width = std::max(width, c.name.size() + 2);
    auto pad = [](const std::string& t, size_t w) {
        return t.size() >= w ? t + " " : t + std::string(w - t.size(), ' ');
    };
    for (const VerificationCase& c : cases) {
        if (c.group != group) {
            group = c.group;
            s << "\n" << group << "\n";
            s << "  " << pad("case", width) << pad("computed", 16) << pad("reference", 16) << pad("error", 10)
              << "result\n";
        }
        s << "  " << pad(c.name, width) << pad(Num(c.computed), 16) << pad(Num(c.reference), 16)
          << pad(ErrorText(c), 10) << (c.Passed() ? "pass" : "FAIL") << "\n";
    }
    const int failed = FailedCount(cases);
    s << "\n" << cases.size() << " cases: " << cases.size() - failed << " passed, " << failed << " failed\n";
    return s.str();
}

std::string VerificationMarkdown(const std::vector<VerificationCase>& cases)
{
    std::ostringstream s;
    std::string group;
    for (const VerificationCase& c : cases) {
        if (c.group != group) {
            group = c.group;
            s << "\n### " << group << "\n\n"
              << "Tolerance " << FormatGeneral(c.tolerance, 2) << ".\n\n"
              << "| case | computed | reference | error | result |\n| --- | ---: | "
                 "---: | ---: | --- |\n";
        }
        s << "| " << c.name << " | " << Num(c.computed) << " | " << Num(c.reference) << " | " << ErrorText(c) << " | "
          << (c.Passed() ? "pass" : "**FAIL**") << " |\n";
    }
    const int failed = FailedCount(cases);
    s << "\n" << cases.size() << " cases: " << cases.size() - failed << " passed, " << failed << " failed.\n";
    return s.str();
}
