# -*- coding: utf-8 -*-
"""The bundled schemes: where their vertices come from and what their details say."""
import os

REF = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'tests', 'data',
                   'reference-triangles')

SOILTEXTURE = 'R package soiltexture 1.5.3, table %s'
GGST = 'R package ggsoiltexture (data-raw, 2026), table %s'

USDA_RULE = ('USDA rule: a composition on a shared boundary or corner goes to the class it '
             'enters when clay replaces a little sand or, where that move runs along the '
             'boundary, when silt replaces a little sand (the class with more clay, then more '
             'silt, keeps the boundary)')
DEFAULT_NOTE = ('No rule of its own for compositions on a limit was found; they follow the '
                'USDA one.')


def usda_like_splits(abbr):
    # Silt loam meets Silt on two lines with different owners (silt = 80 % below clay 12 %
    # belongs to Silt, clay = 12 % above silt 80 % to Silt loam), so it is stored as two
    # polygons, split at clay 12 %.
    return [(abbr, 'CLAY', 12)]


# The published USDA tables' half-percent vertices, moved to the USDA limits.
USDA_HALF_PERCENT = [
    ({'CLAY': '27.5', 'SILT': '27.5', 'SAND': '45'}, {'CLAY': '27', 'SILT': '28', 'SAND': '45'}),
    ({'CLAY': '27.5', 'SILT': '50', 'SAND': '22.5'}, {'CLAY': '27', 'SILT': '50', 'SAND': '23'}),
    ({'CLAY': '27.5', 'SILT': '52.5', 'SAND': '20'}, {'CLAY': '27', 'SILT': '53', 'SAND': '20'}),
    ({'CLAY': '27.5', 'SILT': '72.5', 'SAND': '0'}, {'CLAY': '27', 'SILT': '73', 'SAND': '0'}),
    ({'CLAY': '20', 'SILT': '27.5', 'SAND': '52.5'}, {'CLAY': '20', 'SILT': '28', 'SAND': '52'}),
    ({'CLAY': '7.5', 'SILT': '40', 'SAND': '52.5'}, {'CLAY': '7', 'SILT': '41', 'SAND': '52'}),
    ({'CLAY': '7.5', 'SILT': '50', 'SAND': '42.5'}, {'CLAY': '7', 'SILT': '50', 'SAND': '43'}),
    ({'CLAY': '12.5', 'SILT': '80', 'SAND': '7.5'}, {'CLAY': '12', 'SILT': '80', 'SAND': '8'}),
    ({'CLAY': '12.5', 'SILT': '87.5', 'SAND': '0'}, {'CLAY': '12', 'SILT': '88', 'SAND': '0'}),
]

SCHEMES = {}

SCHEMES['hypres'] = dict(
    csv='HYPRES.TT.csv', axes=('SAND', 'CLAY', 'SILT'),
    splits=[('M', 'CLAY', 18)],
    name='HYPRES / European Soil Map texture classes',
    about='''The five texture classes of the European Soil Database and the HYPRES database
of hydraulic properties of European soils (Coarse, Medium, Medium fine, Fine,
Very fine). Often called the FAO texture classes; the same polygons.''',
    country='Europe',
    source='Wösten, Lilly, Nemes and Le Bas (1999), Development and use of a database of '
           'hydraulic properties of European soils, Geoderma 90: 169-185; European Soil '
           'Database',
    vertices=SOILTEXTURE % 'HYPRES.TT (its FAO50.TT is the same polygons)',
    limits='2 50 2000',
    boundaries='as the HYPRES definitions word them: Coarse clay < 18 % and sand >= 65 %; '
               'Medium 18 % <= clay < 35 % and sand >= 15 %, or clay < 18 % and '
               '15 % <= sand < 65 %; Medium fine clay < 35 % and sand < 15 %; Fine '
               '35 % <= clay < 60 %; Very fine clay >= 60 %. Corners go to the class reached '
               'when clay, then sand, replaces a little silt',
    priority=('CLAY', 'SAND'),
    names={})

SCHEMES['uk-ssew'] = dict(
    csv='UK.SSEW.TT.csv', axes=('SAND', 'CLAY', 'SILT'),
    name='Soil Survey of England and Wales texture classes',
    about='''The eleven particle-size classes of the Soil Survey of England and Wales, with a
silt/sand limit of 60 µm.''',
    country='United Kingdom (England and Wales)',
    source='Hodgson, J.M. (ed.) (1974, 1997), Soil Survey Field Handbook, Soil Survey '
           'Technical Monograph No. 5, Harpenden',
    vertices=SOILTEXTURE % 'UK.SSEW.TT',
    limits='2 60 2000',
    boundaries=USDA_RULE,
    names={'SiLo': 'Silt loam'},
    note=DEFAULT_NOTE)

KA5 = {
    'Ss': 'Reinsand (pure sand)',
    'Su2': 'schwach schluffiger Sand (slightly silty sand)',
    'Sl2': 'schwach lehmiger Sand (slightly loamy sand)',
    'Sl3': 'mittel lehmiger Sand (moderately loamy sand)',
    'St2': 'schwach toniger Sand (slightly clayey sand)',
    'Su3': 'mittel schluffiger Sand (moderately silty sand)',
    'Su4': 'stark schluffiger Sand (strongly silty sand)',
    'Slu': 'schluffig-lehmiger Sand (silty loamy sand)',
    'Sl4': 'stark lehmiger Sand (strongly loamy sand)',
    'St3': 'mittel toniger Sand (moderately clayey sand)',
    'Ls2': 'schwach sandiger Lehm (slightly sandy loam)',
    'Ls3': 'mittel sandiger Lehm (moderately sandy loam)',
    'Ls4': 'stark sandiger Lehm (strongly sandy loam)',
    'Lt2': 'schwach toniger Lehm (slightly clayey loam)',
    'Lts': 'sandig-toniger Lehm (sandy clayey loam)',
    'Ts4': 'stark sandiger Ton (strongly sandy clay)',
    'Ts3': 'mittel sandiger Ton (moderately sandy clay)',
    'Uu': 'Reinschluff (pure silt)',
    'Us': 'sandiger Schluff (sandy silt)',
    'Ut2': 'schwach toniger Schluff (slightly clayey silt)',
    'Ut3': 'mittel toniger Schluff (moderately clayey silt)',
    'Uls': 'sandig-lehmiger Schluff (sandy loamy silt)',
    'Ut4': 'stark toniger Schluff (strongly clayey silt)',
    'Lu': 'schluffiger Lehm (silty loam)',
    'Lt3': 'mittel toniger Lehm (moderately clayey loam)',
    'Tu3': 'mittel schluffiger Ton (moderately silty clay)',
    'Tu4': 'stark schluffiger Ton (strongly silty clay)',
    'Ts2': 'schwach sandiger Ton (slightly sandy clay)',
    'Tl': 'lehmiger Ton (loamy clay)',
    'Tu2': 'schwach schluffiger Ton (slightly silty clay)',
    'Tt': 'Reinton (pure clay)',
}

SCHEMES['de-ka5'] = dict(
    csv='DE.BK94.TT.csv', axes=('CLAY', 'SILT', 'SAND'),
    name='Bodenkundliche Kartieranleitung KA5: Bodenartenuntergruppen',
    about='''The 31 soil texture subgroups (Bodenartenuntergruppen) of the German soil mapping
guide, 4th (1994) and 5th (2005) edition, which share the same diagram.''',
    country='Germany',
    source='Ad-hoc-AG Boden (2005), Bodenkundliche Kartieranleitung, 5. Auflage (KA5), '
           'Hannover; AG Boden (1994), KA4',
    vertices=SOILTEXTURE % 'DE.BK94.TT',
    limits='2 63 2000',
    boundaries=USDA_RULE + '; as every KA5 limit is a clay or a silt content, this is the '
               'reading of its ranges as lower limit included, upper limit excluded '
               '(>= a and < b)',
    note=DEFAULT_NOTE,
    names=KA5)

SCHEMES['de-sea74'] = dict(
    csv='DE.SEA74.TT.csv', axes=('CLAY', 'SILT', 'SAND'),
    splits=[('lU', 'SILT', 80)],
    name='Standortserkundungsanweisung SEA 1974: Bodenarten',
    about='''The texture classes of the forest site survey instructions of the German Democratic
Republic (SEA 1974).''',
    country='Germany (German Democratic Republic)',
    source='Standortserkundungsanweisung SEA 1974, VEB Forstprojektierung Potsdam',
    vertices=SOILTEXTURE % 'DE.SEA74.TT',
    limits='2 63 2000',
    boundaries=USDA_RULE,
    note=DEFAULT_NOTE,
    names={
        'L': 'Lehm (loam)', 'stL': 'sandig-toniger Lehm (sandy clayey loam)',
        'sL': 'sandiger Lehm (sandy loam)', 'S': 'Sand (sand)',
        'alS': 'anlehmiger Sand (slightly loamy sand)', 'lS': 'lehmiger Sand (loamy sand)',
        'T': 'Ton (clay)', 'uT': 'schluffiger Ton (silty clay)',
        'lT': 'lehmiger Ton (loamy clay)', 'sT': 'sandiger Ton (sandy clay)',
        'U': 'Schluff (silt)', 'UL': 'Schlufflehm (silt loam)',
        'lU': 'lehmiger Schluff (loamy silt)'})

SCHEMES['de-tgl85'] = dict(
    csv='DE.TGL85.TT.csv', axes=('CLAY', 'SILT', 'SAND'),
    splits=[('lU', 'SAND', 20)],
    name='TGL 24300-05 (1985): Bodenarten landwirtschaftlich genutzter Standorte',
    about='''The texture classes of the GDR standard for the survey of agricultural sites
(TGL 24300-05, 1985).''',
    country='Germany (German Democratic Republic)',
    source='TGL 24300-05:1985-06, Aufnahme landwirtschaftlich genutzter Standorte',
    vertices=SOILTEXTURE % 'DE.TGL85.TT',
    limits='2 63 2000',
    boundaries=USDA_RULE,
    note=DEFAULT_NOTE,
    names={
        'rS': 'reiner Sand (pure sand)', "l''S": 'sehr schwach lehmiger Sand (very slightly '
        'loamy sand)', "l'S": 'schwach lehmiger Sand (slightly loamy sand)',
        'lS': 'stark lehmiger Sand (strongly loamy sand)', 'uS': 'schluffiger Sand (silty sand)',
        'U': 'Schluff (silt)', 'lU': 'lehmiger Schluff (loamy silt)',
        'sL': 'sandiger Lehm (sandy loam)', 'L': 'Lehm (loam)', 'UL': 'Schlufflehm (silt loam)',
        'uT': 'schluffiger Ton (silty clay)', 'lT': 'lehmiger Ton (loamy clay)',
        'sT': 'sandiger Ton (sandy clay)', 'T': 'Ton (clay)'})

SCHEMES['fr-aisne'] = dict(
    csv='FR.AISNE.TT.csv', axes=('SAND', 'CLAY', 'SILT'),
    splits=[('SA', 'CLAY', '12.5')],
    name="Triangle des textures de l'Aisne",
    about='''The texture triangle of the soil map of the Aisne department (Jamagne), widely used
in French soil survey.''',
    country='France',
    source='Jamagne, M. (1967), Bases et techniques d\'une cartographie des sols, Annales '
           'agronomiques 18, hors série, INRA',
    vertices=SOILTEXTURE % 'FR.AISNE.TT',
    limits='2 50 2000',
    boundaries=USDA_RULE,
    note=DEFAULT_NOTE,
    names={
        'ALO': 'Argile lourde (heavy clay)', 'A': 'Argile (clay)',
        'AL': 'Argile limoneuse (silty clay)', 'AS': 'Argile sableuse (sandy clay)',
        'LA': 'Limon argileux (clayey silt)', 'LAS': 'Limon argilo-sableux (sandy clayey silt)',
        'LSA': 'Limon sablo-argileux (clayey sandy silt)', 'SA': 'Sable argileux (clayey sand)',
        'LM': 'Limon moyen (medium silt)', 'LMS': 'Limon moyen sableux (sandy medium silt)',
        'LS': 'Limon sableux (sandy silt)', 'SL': 'Sable limoneux (silty sand)',
        'S': 'Sable (sand)', 'LL': 'Limon léger (light silt)',
        'LLS': 'Limon léger sableux (sandy light silt)'})

SCHEMES['fr-geppa'] = dict(
    csv='FR.GEPPA.TT.csv', axes=('SILT', 'CLAY', 'SAND'),
    name='Triangle des textures du GEPPA',
    about='''The texture triangle of the Groupe d'Étude des Problèmes de Pédologie Appliquée
(GEPPA), used in French agronomy. Several of its limits are sloping lines, so many
vertices are intersections published to five decimals.''',
    country='France',
    source='GEPPA (1963, revised 1981), triangle des textures, Groupe d\'Étude des Problèmes '
           'de Pédologie Appliquée',
    vertices=SOILTEXTURE % 'FR.GEPPA.TT' + '; silt and clay as published, sand implied (the '
             'published sand of some vertices differs from 100 - silt - clay by up to 0.000007)',
    limits='2 50 2000',
    boundaries=USDA_RULE,
    note=DEFAULT_NOTE,
    names={
        'AA': 'Argile lourde (heavy clay)', 'A': 'Argileux (clayey)',
        'As': 'Argile sableuse (sandy clay)', 'Als': 'Argile limono-sableuse (sandy silty clay)',
        'Al': 'Argile limoneuse (silty clay)', 'AS': 'Argilo-sableux (clayey sand)',
        'LAS': 'Limon argilo-sableux (sandy clayey silt)', 'La': 'Limon argileux (clayey silt)',
        'Sa': 'Sable argileux (clayey sand)', 'Sal': 'Sable argilo-limoneux (silty clayey sand)',
        'Lsa': 'Limon sablo-argileux (clayey sandy silt)', 'L': 'Limon (silt)',
        'S': 'Sableux (sandy)', 'SS': 'Sable (sand)', 'Sl': 'Sable limoneux (silty sand)',
        'Ls': 'Limon sableux (sandy silt)', 'LL': 'Limon pur (pure silt)'})

SCHEMES['be'] = dict(
    csv='BE.TT.csv', axes=('SILT', 'SAND', 'CLAY'),
    splits=[('U', 'SAND', 10)],
    name='Belgian texture triangle / Belgische textuurdriehoek',
    about='''The seven texture classes of the Belgian soil map, in French and Dutch.''',
    country='Belgium',
    source='Soil map of Belgium (Carte des sols de la Belgique / Bodemkaart van België), '
           'texture triangle, IRSIA/IWONL',
    vertices=SOILTEXTURE % 'BE.TT',
    limits='2 50 2000',
    boundaries=USDA_RULE,
    note=DEFAULT_NOTE,
    names={
        'U': 'Argile lourde – Zware klei (heavy clay)', 'E': 'Argile – Klei (clay)',
        'A': 'Limon – Leem (silt loam)', 'L': 'Limon sableux – Zandleem (sandy silt loam)',
        'P': 'Limon sableux léger – Licht zandleem (light sandy silt loam)',
        'S': 'Sable limoneux – Lemig zand (loamy sand)', 'Z': 'Sable – Zand (sand)'})

CA_SOURCE = ('Soil Classification Working Group (1998), The Canadian System of Soil '
             'Classification, 3rd ed., Agriculture and Agri-Food Canada Publication 1646')
CA_ABOUT = '''The thirteen texture classes of the Canadian System of Soil Classification: the
USDA classes with Heavy clay (60 % clay and more) split from Clay.'''
CA_VERTICES = SOILTEXTURE % 'CA.EN.TT (CA2.EN.TT and CA.FR.TT are the same polygons)'

SCHEMES['ca-en'] = dict(
    csv='CA.EN.TT.csv', axes=('SAND', 'CLAY', 'SILT'),
    name='Canadian System of Soil Classification texture classes',
    about=CA_ABOUT, country='Canada', source=CA_SOURCE, vertices=CA_VERTICES,
    limits='2 50 2000', boundaries=USDA_RULE,
    splits=usda_like_splits('SiLo'),
    abbr={'HCl': 'HC', 'SiCl': 'SiC', 'Cl': 'C', 'SaCl': 'SC', 'SiClLo': 'SiCL', 'ClLo': 'CL',
          'SaClLo': 'SCL', 'SiLo': 'SiL', 'Lo': 'L', 'SaLo': 'SL', 'LoSa': 'LS', 'Sa': 'S'},
    names={'SiLo': 'Silt loam'})

SCHEMES['ca-fr'] = dict(
    csv='CA.FR.TT.csv', axes=('SAND', 'CLAY', 'SILT'),
    name='Système canadien de classification des sols : classes texturales',
    about=CA_ABOUT + '\nClass names in French, with the English names.',
    country='Canada', source=CA_SOURCE + ' (French edition: Le système canadien de '
    'classification des sols)', vertices=SOILTEXTURE % 'CA.FR.TT (the same polygons as CA.EN.TT and CA2.EN.TT)',
    limits='2 50 2000', boundaries=USDA_RULE,
    splits=usda_like_splits('LLi'),
    names={
        'ALo': 'Argile lourde (Heavy clay)', 'ALi': 'Argile limoneuse (Silty clay)',
        'A': 'Argile (Clay)', 'AS': 'Argile sableuse (Sandy clay)',
        'LLiA': 'Loam limono-argileux (Silty clay loam)', 'LA': 'Loam argileux (Clay loam)',
        'LSA': 'Loam sablo-argileux (Sandy clay loam)', 'LLi': 'Loam limoneux (Silt loam)',
        'L': 'Loam (Loam)', 'LS': 'Loam sableux (Sandy loam)', 'SL': 'Sable loameux (Loamy sand)',
        'Li': 'Limon (Silt)', 'S': 'Sable (Sand)'})

AU_NAMES = {'Cl': 'Clay', 'SiCl': 'Silty clay', 'SiClLo': 'Silty clay loam', 'SiLo': 'Silty loam',
            'ClLo': 'Clay loam', 'Lo': 'Loam', 'LoSa': 'Loamy sand', 'SaCl': 'Sandy clay',
            'SaClLo': 'Sandy clay loam', 'SaLo': 'Sandy loam', 'Sa': 'Sand'}
AU_ABOUT = '''The Australian texture triangle of Marshall (1947) for the international
particle-size fractions (silt 2-20 µm), whose clay limits are sloping lines.'''
AU_SOURCE = ('Marshall, T.J. (1947), Mechanical composition of soil in relation to field '
             'descriptions of texture, CSIR Bulletin 224, Melbourne')

SCHEMES['au-moeys'] = dict(
    csv='AU.TT.csv', axes=('SAND', 'CLAY', 'SILT'),
    name='Australian texture triangle (Marshall 1947), digitised by J. Moeys',
    about=AU_ABOUT + '''
This is the first digitisation of the diagram in R soiltexture (J. Moeys); the other
Australian scheme bundled here holds B. Minasny's coordinates of the same diagram.''',
    country='Australia', source=AU_SOURCE,
    vertices=SOILTEXTURE % 'AU.TT' + '; its Loamy sand polygon also enclosed the Sand '
             'polygon (it listed the 100 % sand corner and clay 8.5 %, sand 91.5 %): those two '
             'vertices are left out, so Loamy sand ends at the Sand class as the diagram draws '
             'it',
    limits='2 20 2000', boundaries=USDA_RULE, note=DEFAULT_NOTE,
    drop={'LoSa': [{'CLAY': '0', 'SILT': '0', 'SAND': '100'},
                   {'CLAY': '8.5', 'SILT': '0', 'SAND': '91.5'}]},
    names=dict(AU_NAMES, SiLo='Silt loam'))

SCHEMES['au-minasny'] = dict(
    csv='AU2.TT.csv', axes=('SAND', 'CLAY', 'SILT'),
    name='Australian texture triangle (Marshall 1947), coordinates by B. Minasny',
    about=AU_ABOUT + '''
These are the coordinates B. Minasny provided to R soiltexture as a replacement of its
first digitisation (bundled as the other Australian scheme).''',
    country='Australia', source=AU_SOURCE,
    vertices=SOILTEXTURE % 'AU2.TT' + '; Sandy loam gets the Sand/Loamy sand corner (clay 8.5, '
             'silt 4, sand 87.5) on its edge from sand 92 to sand 77: the table runs that edge '
             'past the corner and leaves a gap of 0.75 square percent between the three classes',
    inserts=[('SL', {'CLAY': '8', 'SILT': '0', 'SAND': '92'},
              {'CLAY': '8.5', 'SILT': '4', 'SAND': '87.5'})],
    limits='2 20 2000', boundaries=USDA_RULE, note=DEFAULT_NOTE,
    names={'C': 'Clay', 'ZC': 'Silty clay', 'ZCL': 'Silty clay loam', 'ZL': 'Silt loam',
           'LS': 'Loamy sand', 'S': 'Sand', 'SL': 'Sandy loam', 'L': 'Loam',
           'SCL': 'Sandy clay loam', 'CL': 'Clay loam', 'SC': 'Sandy clay'})

SCHEMES['isss'] = dict(
    csv='ISSS.TT.csv', axes=('SAND', 'CLAY', 'SILT'),
    name='International (ISSS) texture triangle',
    about='''The texture classes for the international (Atterberg) particle-size fractions of
the International Society of Soil Science, silt 2-20 µm.''',
    country='International',
    source='Verheye, W. and Ameryckx, J. (1984), Mineral fractions and classification of '
           'soil texture, Pédologie 34: 215-225',
    vertices=SOILTEXTURE % 'ISSS.TT',
    limits='2 20 2000', boundaries=USDA_RULE, note=DEFAULT_NOTE,
    names={'HCl': 'Heavy clay', 'SaCl': 'Sandy clay', 'LCl': 'Light clay', 'SiCl': 'Silty clay',
           'SaClLo': 'Sandy clay loam', 'ClLo': 'Clay loam', 'SiClLo': 'Silty clay loam',
           'LoSa': 'Loamy sand', 'Sa': 'Sand', 'SaLo': 'Sandy loam', 'Lo': 'Loam',
           'SiLo': 'Silt loam'})

SCHEMES['ro-srts2003'] = dict(
    csv='ROM.TT.csv', axes=('SAND', 'CLAY', 'SILT'),
    name='Sistemul Român de Taxonomie a Solurilor (SRTS 2003): clase texturale',
    about='''The texture classes of the Romanian soil taxonomy system SRTS 2003, for the
international particle-size fractions (silt 2-20 µm).''',
    country='Romania',
    source='Florea, N. and Munteanu, I. (2003), Sistemul Român de Taxonomie a Solurilor '
           '(SRTS-2003), ICPA, Bucureşti',
    vertices=SOILTEXTURE % 'ROM.TT',
    limits='2 20 2000', boundaries=USDA_RULE, note=DEFAULT_NOTE,
    abbr={'SG+SM+SF': 'S', 'UG+UM+UF': 'U', 'NG+NM+NF': 'N'},
    names={
        'AF': 'Argilă fină (fine clay)', 'AA': 'Argilă medie (medium clay)',
        'AP': 'Argilă prăfoasă (silty clay)', 'AL': 'Argilă lutoasă (loamy clay)',
        'TP': 'Lut argilo-prăfos (silty clay loam)', 'TT': 'Lut argilos mediu (medium clay loam)',
        'TN': 'Argilă nisipoasă (sandy clay)', 'LP': 'Lut prăfos (silt loam)',
        'LL': 'Lut mediu (medium loam)', 'LN': 'Lut nisipo-argilos (sandy clay loam)',
        'SP': 'Praf (silt)', 'SS': 'Lut nisipos prăfos (silty sandy loam)',
        'SG+SM+SF': 'Lut nisipos (sandy loam)', 'UG+UM+UF': 'Nisip lutos (loamy sand)',
        'NG+NM+NF': 'Nisip (sand)'})

SCHEMES['br-lemos-santos'] = dict(
    csv='BRASIL.TT.csv', axes=('SAND', 'CLAY', 'SILT'),
    name='Classes texturais (Lemos e Santos 1996)',
    about='''The thirteen texture classes of the Brazilian field description manual: the USDA
triangle with "muito argilosa" (60 % clay and more) split from "argila".''',
    country='Brazil',
    source='Lemos, R.C. and Santos, R.D. (1996), Manual de descrição e coleta de solo no '
           'campo, 3a ed., Sociedade Brasileira de Ciência do Solo, Campinas',
    vertices=SOILTEXTURE % 'BRASIL.TT' + '; its half-percent vertices (clay 7.5, 12.5, 27.5; '
             'sand 52.5; silt 27.5) are moved to the USDA limits the triangle is drawn from '
             '(clay 7, 12, 27; sand 52; silt 28)',
    limits='2 50 2000', boundaries=USDA_RULE,
    moves=USDA_HALF_PERCENT,
    splits=usda_like_splits('FS'),
    names={
        'MA': 'Muito argilosa (very clayey)', 'A': 'Argila (clay)',
        'As': 'Argila siltosa (silty clay)', 'AAr': 'Argila arenosa (sandy clay)',
        'FA': 'Franco argiloso (clay loam)', 'FAS': 'Franco argilo siltoso (silty clay loam)',
        'FAAr': 'Franco argilo arenoso (sandy clay loam)', 'F': 'Franco (loam)',
        'FS': 'Franco siltoso (silt loam)', 'FAr': 'Franco arenoso (sandy loam)',
        'S': 'Silte (silt)', 'ArF': 'Areia franca (loamy sand)', 'Ar': 'Areia (sand)'})

SCHEMES['br-sibcs2013'] = dict(
    csv='SiBCS13.TT.csv', axes=('SAND', 'CLAY', 'SILT'),
    splits=[('MeS', 'SAND', '47.5')],
    name='SiBCS 2013: grupamentos e subgrupamentos texturais',
    about='''The textural groups of the Brazilian soil classification system (Embrapa), from very
sandy to very clayey.''',
    country='Brazil',
    source='Embrapa (2013), Sistema Brasileiro de Classificação de Solos, 3a ed., Brasília',
    vertices=SOILTEXTURE % 'SiBCS13.TT',
    limits='2 50 2000', boundaries=USDA_RULE, note=DEFAULT_NOTE,
    names={
        'MA': 'Muito argilosa (very clayey)', 'A': 'Argilosa (clayey)', 'S': 'Siltosa (silty)',
        'MeS': 'Média siltosa (medium silty)', 'MeA': 'Média argilosa (medium clayey)',
        'MeAr': 'Média arenosa (medium sandy)', 'ArMe': 'Arenosa média (sandy medium)',
        'MAr': 'Muito arenosa (very sandy)'})

PL_NAMES = {
    'i': 'ił właściwy (clay)', 'ip': 'ił pylasty (silty clay)',
    'gc': 'glina ciężka (heavy loam)', 'gcp': 'glina ciężka pylasta (silty heavy loam)',
    'gs': 'glina średnia (medium loam)', 'gsp': 'glina średnia pylasta (silty medium loam)',
    'gbc': 'glina bardzo ciężka (very heavy loam)',
    'pgm': 'piasek gliniasty mocny (strong loamy sand)',
    'pgmp': 'piasek gliniasty mocny pylasty (silty strong loamy sand)',
    'pgpm': 'piasek gliniasty mocny pylasty (silty strong loamy sand)',
    'pgl': 'piasek gliniasty lekki (light loamy sand)',
    'pglp': 'piasek gliniasty lekki pylasty (silty light loamy sand)',
    'ps': 'piasek słabogliniasty (slightly loamy sand)',
    'psp': 'piasek słabogliniasty pylasty (silty slightly loamy sand)',
    'pl': 'piasek luźny (loose sand)', 'plp': 'piasek luźny pylasty (silty loose sand)',
}
PL_PYL = {'pli': 'płi', 'plz': 'płz', 'plg': 'płg'}
PL_PYL_NAMES = {'płi': 'pył ilasty (clayey silt)', 'płz': 'pył zwykły (common silt)',
                'płg': 'pył gliniasty (loamy silt)', 'płp': 'pył piaszczysty (sandy silt)'}
PL_LIMITS = '20 100 1000'
PL_LIMITS_NOTE = ('Fractions of the Polish classifications before 2008: "clay" is the '
                  'floatable part (części spławialne, below 0.02 mm), "silt" the pył fraction '
                  '(0.02-0.1 mm) and "sand" 0.1-1 mm.')


def pl(names, extra=None):
    out = {}
    for abbr in names:
        out[abbr] = names[abbr]
    out.update(extra or {})
    return out


SCHEMES['pl-ptg1956'] = dict(
    csv='PL.TT.csv', axes=('SAND', 'CLAY', 'SILT'),
    name='PTG 1956: grupy granulometryczne',
    about='''The texture groups of the Polish Society of Soil Science (PTG) of 1956-1959.
''' + PL_LIMITS_NOTE,
    country='Poland',
    source='Polskie Towarzystwo Gleboznawcze (1956, 1959), podział gleb i utworów mineralnych '
           'na grupy granulometryczne',
    vertices=SOILTEXTURE % 'PL.TT',
    limits=PL_LIMITS, boundaries=USDA_RULE, note=DEFAULT_NOTE,
    abbr=PL_PYL,
    names=pl(PL_NAMES, {
        'gl': 'glina lekka silnie spiaszczona (strongly sandy light loam)',
        'glp': 'glina lekka silnie spiaszczona pylasta (silty strongly sandy light loam)',
        'gp': 'glina lekka słabo spiaszczona (slightly sandy light loam)',
        'gpp': 'glina lekka słabo spiaszczona pylasta (silty slightly sandy light loam)',
        'pli': PL_PYL_NAMES['płi'], 'plz': PL_PYL_NAMES['płz']}))

SCHEMES['pl-bn1978'] = dict(
    csv='Polish_BN_1978.TT.csv', axes=('SILT', 'SAND', 'CLAY'),
    name='BN-78/9180-11: grupy granulometryczne',
    about='''The texture groups of the Polish branch standard BN-78/9180-11 (1978).
''' + PL_LIMITS_NOTE,
    country='Poland',
    source='BN-78/9180-11 (1978), Gleby i utwory mineralne: podział na frakcje i grupy '
           'granulometryczne',
    vertices=SOILTEXTURE % 'Polish_BN_1978.TT' + '; the abbreviations of the pył (silt) '
             'groups are written with ł as the standard does (płi, płg, płp, płz), which also '
             'tells pył piaszczysty (płp) from piasek luźny pylasty (plp)',
    limits=PL_LIMITS, boundaries=USDA_RULE, note=DEFAULT_NOTE,
    abbr_by_index={20: 'płi', 21: 'płg', 22: 'płp', 23: 'płz'},
    names_by_index={20: PL_PYL_NAMES['płi'], 21: PL_PYL_NAMES['płg'],
                    22: PL_PYL_NAMES['płp'], 23: PL_PYL_NAMES['płz']},
    names=pl(PL_NAMES, {
        'gp': 'glina piaszczysta (sandy loam)', 'gpp': 'glina piaszczysta pylasta (silty sandy loam)',
        'gl': 'glina lekka (light loam)', 'glp': 'glina lekka pylasta (silty light loam)',
        'i': 'ił (clay)'}))

SCHEMES['pl-ptg1956-musierowicz'] = dict(
    csv='Polish_PTG_1956_Musierowicz.TT.csv', axes=('SILT', 'SAND', 'CLAY'),
    name='PTG 1956 (Musierowicz): grupy granulometryczne',
    about='''The texture groups of the Polish Society of Soil Science of 1956 as drawn by
Musierowicz.
''' + PL_LIMITS_NOTE,
    country='Poland',
    source='Musierowicz, A., after Polskie Towarzystwo Gleboznawcze (1956), podział gleb na '
           'grupy granulometryczne',
    vertices=SOILTEXTURE % 'Polish_PTG_1956_Musierowicz.TT',
    limits=PL_LIMITS, boundaries=USDA_RULE, note=DEFAULT_NOTE,
    abbr=PL_PYL,
    names=pl(PL_NAMES, {
        'gl': 'glina lekka (light loam)', 'glp': 'glina lekka pylasta (silty light loam)',
        'i': 'ił (clay)', 'pli': PL_PYL_NAMES['płi'], 'plz': PL_PYL_NAMES['płz']}))

SCHEMES['pl-agro1990'] = dict(
    csv='Polish_kategorie_agronomiczne_1990.TT.csv', axes=('SILT', 'SAND', 'CLAY'),
    name='Kategorie agronomiczne gleb (1990)',
    about='''The four agronomic soil categories (very light, light, medium, heavy) used in Polish
fertiliser advice, by the content of floatable parts.
''' + PL_LIMITS_NOTE,
    country='Poland',
    source='Polish agronomic soil categories (kategorie agronomiczne gleb), 1990',
    vertices=SOILTEXTURE % 'Polish_kategorie_agronomiczne_1990.TT',
    limits=PL_LIMITS, boundaries=USDA_RULE, note=DEFAULT_NOTE,
    abbr_by_index={1: 'BL', 2: 'L', 3: 'S', 4: 'C'},
    names_by_index={1: 'gleby bardzo lekkie (very light soils)', 2: 'gleby lekkie (light soils)',
                    3: 'gleby średnie (medium soils)', 4: 'gleby ciężkie (heavy soils)'},
    names={})

SCHEMES['pl-ptg2008'] = dict(
    csv='PTG_2008.TT.csv', axes=('SAND', 'CLAY', 'SILT'),
    name='PTG 2008: klasyfikacja uziarnienia gleb',
    about='''The texture groups of the Polish Society of Soil Science of 2008, drawn on the USDA
particle-size limits; each name gives the USDA class it corresponds to.''',
    country='Poland',
    source='Polskie Towarzystwo Gleboznawcze (2009), Klasyfikacja uziarnienia gleb i utworów '
           'mineralnych - PTG 2008, Roczniki Gleboznawcze 60(2): 5-16',
    vertices=SOILTEXTURE % 'PTG_2008.TT',
    limits='2 50 2000', boundaries=USDA_RULE,
    abbr={'ic(C)': 'ic', 'iz(C)': 'iz', 'ipy(SiC)': 'ipy', 'ip(SC)': 'ip', 'gi(CL)': 'gi',
          'gpyi(SiCL)': 'gpyi', 'gpi(SCL)': 'gpi', 'gz(L)': 'gz', 'pyi(SiL)': 'pyi',
          'pyg(SiL)': 'pyg', 'gl(SL)': 'gl', 'gp(SL)': 'gp', 'pyz(Si)': 'pyz', 'pg(LS)': 'pg',
          'ps(S)': 'ps', 'pl(S)': 'pl'},
    names={
        'ic(C)': 'ił ciężki (heavy clay; C)', 'iz(C)': 'ił zwykły (clay; C)',
        'ipy(SiC)': 'ił pylasty (silty clay; SiC)', 'ip(SC)': 'ił piaszczysty (sandy clay; SC)',
        'gi(CL)': 'glina ilasta (clay loam; CL)',
        'gpyi(SiCL)': 'glina pylasto-ilasta (silty clay loam; SiCL)',
        'gpi(SCL)': 'glina piaszczysto-ilasta (sandy clay loam; SCL)',
        'gz(L)': 'glina zwykła (loam; L)', 'pyi(SiL)': 'pył ilasty (clayey silt; SiL)',
        'pyg(SiL)': 'pył gliniasty (loamy silt; SiL)', 'gl(SL)': 'glina lekka (light loam; SL)',
        'gp(SL)': 'glina piaszczysta (sandy loam; SL)', 'pyz(Si)': 'pył zwykły (silt; Si)',
        'pg(LS)': 'piasek gliniasty (loamy sand; LS)',
        'ps(S)': 'piasek słabogliniasty (slightly loamy sand; S)',
        'pl(S)': 'piasek luźny (loose sand; S)'})

SCHEMES['usda1911'] = dict(
    csv='USDA1911.csv', axes=('SILT', 'CLAY', 'SAND'),
    name='USDA Bureau of Soils texture classes (Whitney 1911)',
    about='''The eight texture classes of the USDA Bureau of Soils of 1911 (M. Whitney), with a
clay/silt limit of 5 µm.''',
    country='United States',
    source='Whitney, M. (1911), The use of soils east of the Great Plains region, USDA Bureau '
           'of Soils Bulletin 78',
    vertices=SOILTEXTURE % 'USDA1911' + '; the class of 20-30 % clay and 50-80 % silt is named '
             'Silty clay loam (the table calls it Sandy clay loam, while it lies at the silt '
             'corner and the diagram has no other silty clay loam)',
    limits='5 50 2000', boundaries=USDA_RULE, note=DEFAULT_NOTE,
    abbr={'SaCL': 'SiCL'},
    names={'C': 'Clay', 'SaC': 'Sandy clay', 'CL': 'Clay loam', 'SaCL': 'Silty clay loam',
           'L': 'Loam', 'SiL': 'Silt loam', 'SaL': 'Sandy loam', 'Sa': 'Sand'})

NZ_SOURCE = ('Milne, J.D.G., Clayden, B., Singleton, P.L. and Wilson, A.D. (1995), Soil '
             'Description Handbook, Manaaki Whenua Press, Lincoln')
NZ_LIMITS_NOTE = ('The handbook takes sand as 0.06-2 mm and silt as 0.002-0.06 mm (kept in '
                  'its 2024 edition).')

SCHEMES['nz'] = dict(
    csv='NZTT.csv', axes=('SAND', 'CLAY', 'SILT'),
    name='New Zealand soil texture classes',
    about='''The eleven texture classes of the New Zealand Soil Description Handbook.
''' + NZ_LIMITS_NOTE,
    country='New Zealand', source=NZ_SOURCE,
    vertices=GGST % 'NZTT',
    limits='2 60 2000', boundaries=USDA_RULE, note=DEFAULT_NOTE,
    names={'C': 'Clay', 'LC': 'Loamy clay', 'ZC': 'Silty clay', 'SC': 'Sandy clay loam',
           'CL': 'Clay loam', 'ZL': 'Silt loam', 'SL': 'Sandy loam', 'S': 'Sand',
           'LS': 'Loamy sand', 'LZ': 'Loamy silt', 'Z': 'Silt'})

SCHEMES['nz-groups'] = dict(
    csv='NZ_groups.csv', axes=('SAND', 'CLAY', 'SILT'),
    name='New Zealand soil texture groups',
    about='''The four texture groups (Clayey, Loamy, Silty, Sandy) of the New Zealand Soil
Description Handbook.
''' + NZ_LIMITS_NOTE,
    country='New Zealand', source=NZ_SOURCE,
    vertices=GGST % 'NZ_groups',
    limits='2 60 2000', boundaries=USDA_RULE, note=DEFAULT_NOTE,
    names={'C': 'Clayey', 'L': 'Loamy', 'Z': 'Silty', 'S': 'Sandy'})

SCHEMES['tt10-german'] = dict(
    csv='swiss_cantonZurich_texture.csv', axes=('SAND', 'CLAY', 'SILT'), unordered=True,
    name='German-language ten-class texture triangle',
    about='''A German-language texture triangle of ten classes (Sandboden to Tonboden, and three
silt classes). Its source labels it as the Canton of Zurich's and also cites the
Austrian soil mapping of 1967 for it; neither could be confirmed, so it is named
after its language and classes, not a country.''',
    country='unconfirmed (labelled Switzerland, Canton of Zurich; also cited as Austria)',
    source='unconfirmed; see vertices',
    vertices=GGST % 'swiss_cantonZurich_texture' + ' (its vertices put in order around '
             'each class)',
    limits=None, boundaries=USDA_RULE, note=DEFAULT_NOTE + ' The particle-size limits are '
    'not given with the table, so none are stated here.',
    names={'S': 'Sandboden (sandy soil)', 'lS': 'Lehmiger Sand (loamy sand)',
           'sL': 'Sandiger Lehm (sandy loam)', 'L': 'Lehmboden (loam)',
           'tL': 'Toniger Lehm (clayey loam)', 'lT': 'Lehmiger Ton (loamy clay)',
           'T': 'Tonboden (clay soil)', 'U': 'Schluffboden (silty soil)',
           'lU': 'Schlufflehm (silty loam)', 'tU': 'Toniger Schlufflehm (clayey silty loam)'})
