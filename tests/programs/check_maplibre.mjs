// MapLibre's own style-spec package, headless in node, evaluates Tessel's color-relief layers:
// each validates inside a style, and its expression gives every symbol's colour exactly, an
// undefined one transparent; fitted to a grid (linear and equalized), it colours every cell
// as Tessel's map does; and hand-made expressions (interpolate, step, CSS colour forms) read
// in Tessel as the package evaluates them.
// Run by CTest: node check_maplibre.mjs TESSELCMD STAGE NODE_MODULES
import {spawnSync} from 'child_process';
import fs from 'fs';
import {createRequire} from 'module';
import os from 'os';
import path from 'path';

const [tesselcmd, stage, modules] = process.argv.slice(2);
let spec;
try {
    spec = createRequire(path.resolve(modules, 'index.js'))('@maplibre/maplibre-gl-style-spec');
} catch {
    console.log('SKIP: the npm package @maplibre/maplibre-gl-style-spec is not installed in ' + modules +
                ' (scripts/test.sh installs it from the npm registry)');
    process.exit(77);
}
const property = spec.latest['paint_color-relief']['color-relief-color'];

let count = 0;
const failures = [];
const expect = (ok, what) => {
    count += 1;
    if (!ok) failures.push(what);
};
const same = (a, b) => JSON.stringify(a) === JSON.stringify(b);

function run(program, args, input) {
    const done = spawnSync(program, args, {input, encoding: 'utf8'});
    if (done.status !== 0) throw new Error(`${program} ${args.join(' ')}: ${done.stderr || done.error}`);
    return done.stdout;
}

// The package's colour at `z` as 0-255 (r, g, b, a), straight; alpha 0 where it is clear.
function evaluator(expression) {
    const made = spec.expression.createExpression(expression, 'x', property);
    if (made.result !== 'success') throw new Error(JSON.stringify(made.value));
    const byProperty = JSON.stringify(expression).includes('["get"');
    return z => {
        const c = byProperty ? made.value.evaluate({zoom: 0}, {properties: {height: z}})
                             : made.value.evaluate({zoom: 0, elevation: z});
        const rgba = c.rgb.map(v => Math.round(v * 255));
        return rgba[3] === 0 ? [0, 0, 0, 0] : rgba;
    };
}

// Tessel's symbols as its gdaldem export gives them: {symbol: [r, g, b, a]}, clear ones left out.
function gdalRows(text) {
    const rows = {};
    for (const line of text.split('\n').filter(l => /^\d/.test(l))) {
        const w = line.split(/\s+/).map(Number);
        if (w[4]) rows[w[0]] = w.slice(1, 5);
    }
    return rows;
}

function checkExports(folder) {
    const tables = {
        gaps: ['shadecolorramp 1 3 "blue" "cyan"', 'shadecolorramp 7 2 "yellow" "red"', 'shadecolorramp 10 1 "green" "green"'],
        ramp999: ['shadecolorramp 1 500 "blue" "yellow"', 'shadecolorramp 500 500 "yellow" "red"'],
    };
    for (const [name, commands] of Object.entries(tables)) {
        run(tesselcmd, [], ['&wo ' + folder, 'shadedelete ALL', ...commands, 'shadesave ' + name].join('\n'));
    }
    fs.copyFileSync(path.join(stage, 'tools', 'colornames.shd'), path.join(folder, 'palette.shd'));
    const names = ['gaps', 'ramp999', 'palette'];
    run(tesselcmd, ['--export', 'maplibre', ...names.map(n => path.join(folder, n + '.shd')), folder]);
    for (const name of names) {
        const layer = JSON.parse(fs.readFileSync(path.join(folder, name + '.json'), 'utf8'));
        const style = {version: 8, sources: {dem: {type: 'raster-dem', tiles: ['https://tiles.invalid/{z}/{x}/{y}.png']}},
                       layers: [layer]};
        const errors = spec.validateStyleMin(style);
        expect(errors.length === 0, `${name}: ${errors.map(e => e.message).join('; ')}`);
        const colour = evaluator(layer.paint['color-relief-color']);
        const rows = fs.readFileSync(path.join(folder, name + '.shd'), 'utf8').split('\n')
                         .filter(l => l.trim() && !l.startsWith('#')).slice(3).map(l => l.split(/\s+/).map(Number));
        const symbols = Object.fromEntries(rows.map(w => [w[0], [...w.slice(1, 4), 255]]));
        for (let s = rows[0][0]; s <= rows[rows.length - 1][0]; s++) {
            const want = symbols[s] || [0, 0, 0, 0];
            expect(same(colour(s), want), `${name} symbol ${s}: MapLibre ${colour(s)}, not ${want}`);
        }
    }
}

function checkRead(folder) {
    const cases = [
        ['interpolate, CSS forms', [-100, 250], ['interpolate', ['linear'], ['elevation'], -100, '#08f', 0, 'rgb(10, 200, 30)',
            50, 'rgba(255,0,0,0.5)', 100, 'hsl(120, 50%, 40%)', 180, 'rgb(20% 40% 60% / 0.8)', 250, 'NavajoWhite']],
        ['step over a property', [-8, 28], ['step', ['get', 'height'], '#fff', 0, 'hsla(200,100%,50%,1)', 10,
            'rgb(20% 40% 60%)', 20, '#11223344']],
        ['clear stops', [0, 30], ['interpolate', ['linear'], ['elevation'], 0, 'transparent', 10, 'red', 20,
            'rgba(0, 0, 255, 0)', 30, '#0f08']],
    ];
    cases.forEach(([what, [lo, hi], expression], i) => {
        const file = path.join(folder, `read${i}.json`);
        fs.writeFileSync(file, JSON.stringify({id: what, type: 'color-relief', source: 'dem',
                                               paint: {'color-relief-color': expression}}));
        const mine = gdalRows(run(tesselcmd, ['--set', '.importsymbols=32', '--set', `.importcut=${lo} ${hi}`,
                                              '--export', 'gdal', file, '-']));
        const colour = evaluator(expression);
        for (let k = 1; k <= 32; k++) {
            const z = lo + (k - 1) * (hi - lo) / 31;
            const theirs = colour(z);
            const want = theirs[3] ? [...theirs.slice(0, 3), 255] : undefined;
            expect(same(mine[k], want), `${what} symbol ${k} (z ${z}): Tessel ${mine[k]}, MapLibre ${theirs}`);
        }
    });
}

// A grid of 60 by 40 cells in eighths, crowded low as a DEM is, with cells of no value.
function checkFitted(folder) {
    const probe = spawnSync('gdal_translate', ['--version']);
    if (probe.error) return console.log('SKIP fitted layers: gdal_translate is not installed (Debian package gdal-bin)');
    const [columns, rows] = [60, 40];
    const z = Array.from({length: columns * rows}, (_, i) => i % 97 === 5 ? -9999 : Math.round(8000 * ((i * 7919) % 2400 / 2400) ** 3) / 8);
    const grid = path.join(folder, 'grid.asc');
    fs.writeFileSync(grid, `ncols ${columns}\nnrows ${rows}\nxllcorner 0\nyllcorner 0\ncellsize 1\nNODATA_value -9999\n` +
                           Array.from({length: rows}, (_, r) => z.slice(r * columns, (r + 1) * columns).join(' ')).join('\n') + '\n');
    const shade = path.join(stage, 'shades', 'elev999.shd');
    for (const classes of ['linear', 'equalized']) {
        const out = path.join(folder, classes);
        const settings = ['--set', '.gridclasses=' + classes, '--grid', grid];
        run(tesselcmd, [...settings, '--export', 'maplibre', shade, out + '.json']);
        run(tesselcmd, [...settings, '--relief', shade, out + '.tif']);
        run('gdal_translate', ['-q', '-of', 'ENVI', '-co', 'INTERLEAVE=BSQ', out + '.tif', out + '.raw']);
        const image = fs.readFileSync(out + '.raw');
        const colour = evaluator(JSON.parse(fs.readFileSync(out + '.json', 'utf8')).paint['color-relief-color']);
        const wrong = z.map((v, i) => [v, i]).filter(([v, i]) => {
            const drawn = [0, 1, 2, 3].map(b => image[b * z.length + i]);
            return v !== -9999 && !same(colour(v), drawn[3] ? drawn : [0, 0, 0, 0]);
        });
        expect(wrong.length === 0, `${classes}: ${wrong.length} of ${z.length} cells differ, first value ${wrong[0] && wrong[0][0]}`);
    }
}

const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'tessel-maplibre-'));
try {
    checkExports(folder);
    checkRead(folder);
    checkFitted(folder);
} finally {
    fs.rmSync(folder, {recursive: true, force: true});
}
console.log(failures.slice(0, 20).map(f => 'FAIL: ' + f).join('\n') + `\n${count} checks, ${failures.length} failed`);
process.exit(failures.length ? 1 : 0);
