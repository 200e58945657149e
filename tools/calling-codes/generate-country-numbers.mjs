// Generates resources/CountryNumbers.csv: every international calling code with the countries that use it.
//
// Sources:
//   - calling codes and their regions: the metadata of libphonenumber as shipped in libphonenumber-js
//   - English country names: Debian's iso-codes (/usr/share/iso-codes/json/iso_3166-1.json), falling back to
//     ICU's English names for the regions ISO 3166-1 lacks (AC, TA, XK)
//   - Japanese country names: ICU, through Intl.DisplayNames(['ja'], {type: 'region'})
//   - area names: the continent of each region from countries-list
//
// Usage: npm ci && npm run generate   (writes ../../resources/CountryNumbers.csv)

import { createRequire } from 'node:module';
import { readFileSync, writeFileSync } from 'node:fs';
import { fileURLToPath } from 'node:url';
import path from 'node:path';
import { continents, countries } from 'countries-list';

const require = createRequire(import.meta.url);
const metadata = require('libphonenumber-js/metadata.min.json');

const isoCodesPath = process.env.ISO_CODES_JSON ?? '/usr/share/iso-codes/json/iso_3166-1.json';
const outputPath = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../../resources/CountryNumbers.csv');

// Codes that belong to a service rather than a country (the metadata's non-geographic codes). Their names are
// ITU's designations; ICU has no names for them.
const nonGeographic = {
    800: ['International Freephone Service', '国際フリーフォン'],
    808: ['International Shared Cost Service', '国際共同課金サービス'],
    870: ['Inmarsat Single Number Access', 'インマルサット'],
    878: ['Universal Personal Telecommunications', 'ユニバーサルパーソナル通信'],
    881: ['Global Mobile Satellite System', 'グローバル移動衛星通信システム'],
    882: ['International Networks', '国際ネットワーク'],
    883: ['International Networks', '国際ネットワーク'],
    888: ['Telecommunications for Disaster Relief', '災害救援通信'],
    979: ['International Premium Rate Service', '国際プレミアムレートサービス'],
};
const nonGeographicArea = 'International';

const englishIcu = new Intl.DisplayNames(['en'], { type: 'region', fallback: 'none' });
const japaneseIcu = new Intl.DisplayNames(['ja'], { type: 'region', fallback: 'none' });

function isoNames() {
    const names = new Map();
    for (const entry of JSON.parse(readFileSync(isoCodesPath, 'utf8'))['3166-1'])
        names.set(entry.alpha_2, entry.common_name ?? entry.name);
    return names;
}

// The table is split at every comma, so no name may hold one. ISO's "Virgin Islands, British" style
// (the qualifier after the comma) is turned around; a comma between two names becomes a semicolon.
export function withoutCommas(name) {
    const at = name.indexOf(', ');
    if (at < 0)
        return name.replaceAll(',', ';');
    const head = name.slice(0, at);
    const tail = name.slice(at + 2);
    if (/ of( the)?$/.test(tail) || !tail.includes(' '))
        return withoutCommas(`${tail} ${head}`);
    return withoutCommas(`${head}; ${tail}`);
}

function required(value, what) {
    if (!value)
        throw new Error(`No ${what}`);
    return value;
}

function regionLine(code, region, englishNames) {
    const english = englishNames.get(region) ?? englishIcu.of(region);
    const japanese = japaneseIcu.of(region);
    const continent = continents[countries[region]?.continent];
    return [code, withoutCommas(required(english, `English name for ${region}`)),
            withoutCommas(required(japanese, `Japanese name for ${region}`)),
            required(continent, `continent for ${region}`)];
}

function serviceLine(code) {
    const names = required(nonGeographic[code], `name for the non-geographic code ${code}`);
    return [code, ...names.map(withoutCommas), nonGeographicArea];
}

function main() {
    const englishNames = isoNames();
    // Codes of services rather than countries are listed apart from the others, under region "001".
    const regionsByCode = { ...metadata.country_calling_codes };
    for (const code of Object.keys(metadata.nonGeographic ?? {}))
        regionsByCode[code] = [...(regionsByCode[code] ?? []), '001'];
    const codes = Object.keys(regionsByCode).sort((a, b) => Number(a) - Number(b));
    const lines = ['number,country,国名,エリア名'];
    for (const code of codes) {
        // One line per country and code, the code's main country first as the metadata lists it.
        for (const region of regionsByCode[code]) {
            const fields = region === '001' ? serviceLine(code) : regionLine(code, region, englishNames);
            if (fields.length !== 4 || fields.some((field) => /[,\r\n"]/.test(field)))
                throw new Error(`Bad line for ${code} ${region}: ${fields.join('|')}`);
            lines.push(fields.join(','));
        }
    }
    writeFileSync(outputPath, lines.join('\n') + '\n');
    console.log(`${lines.length - 1} lines, ${codes.length} calling codes, metadata version ${metadata.version}`);
}

main();
