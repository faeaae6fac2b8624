#!/usr/bin/env python3
"""Writes lang.fil: one line per entry, Windows-1252, CR LF line ends.

Columns: English, Portuguese, German, French, Swedish, (empty), Dutch.
Run from anywhere: python3 data/make-lang.py
"""
import os

# entry: (English, Portuguese, German, French, Swedish, Dutch)
ENTRIES = [
    # 0: read and not used
    ("English", "Português", "Deutsch", "Français", "Svenska", "Nederlands"),
    ("Menu", "Menu", "Menü", "Menu", "Meny", "Menu"),
    ("Open File List", "Abrir lista de ficheiros", "Dateiliste öffnen",
     "Ouvrir la liste de fichiers", "Öppna fillista", "Bestandslijst openen"),
    ("View list", "Ver lista", "Liste anzeigen", "Afficher la liste", "Visa lista",
     "Lijst bekijken"),
    ("Locate the file list on your computer where you saved it",
     "Procure a lista de ficheiros no computador, onde a guardou",
     "Suchen Sie die Dateiliste auf Ihrem Computer dort, wo Sie sie gespeichert haben",
     "Retrouvez la liste de fichiers à l'endroit où vous l'avez enregistrée",
     "Leta upp fillistan på datorn där du sparade den",
     "Zoek de bestandslijst op uw computer op waar u die hebt opgeslagen"),
    ("Folders", "Pastas", "Ordner", "Dossiers", "Mappar", "Mappen"),
    ("Files", "Ficheiros", "Dateien", "Fichiers", "Filer", "Bestanden"),
    ("Size", "Tamanho", "Größe", "Taille", "Storlek", "Grootte"),
    # 8: status line after a language change
    ("Language changed", "Idioma alterado", "Sprache geändert", "Langue modifiée",
     "Språket har ändrats", "Taal gewijzigd"),
    ("Folder Structure ", "Estrutura de pastas ", "Ordnerstruktur ",
     "Arborescence des dossiers ", "Mappstruktur ", "Mappenstructuur "),
    ("Path\\Filename", "Caminho\\Nome do ficheiro", "Pfad\\Dateiname",
     "Chemin\\Nom de fichier", "Sökväg\\Filnamn", "Pad\\Bestandsnaam"),
    # 11 to 14: file grid headers
    ("Name", "Nome", "Name", "Nom", "Namn", "Naam"),
    ("Modified", "Modificado", "Geändert", "Modifié", "Ändrad", "Gewijzigd"),
    ("Size", "Tamanho", "Größe", "Taille", "Storlek", "Grootte"),
    ("Status", "Estado", "Status", "État", "Status", "Status"),
    (" Filter", " Filtro", " Filter", " Filtre", " Filter", " Filter"),
    ("Term", "Termo", "Begriff", "Terme", "Sökord", "Zoekterm"),
    ("Search", "Procurar", "Suchen", "Rechercher", "Sök", "Zoeken"),
    # 18: not used
    ("(not used)", "(não usado)", "(nicht verwendet)", "(non utilisé)", "(används ej)",
     "(niet gebruikt)"),
    ("Search by Date", "Procurar por data", "Nach Datum suchen", "Recherche par date",
     "Sök efter datum", "Zoeken op datum"),
    ("From", "De", "Von", "Du", "Från", "Van"),
    ("To", "Até", "Bis", "Au", "Till", "Tot"),
    ("Search", "Procurar", "Suchen", "Rechercher", "Sök", "Zoeken"),
    ("File Details", "Detalhes dos ficheiros", "Dateidetails", "Détails des fichiers",
     "Filinformation", "Bestandsdetails"),
    ("Files", "Ficheiros", "Dateien", "Fichiers", "Filer", "Bestanden"),
    ("Size", "Tamanho", "Größe", "Taille", "Storlek", "Grootte"),
    # 26: first hint of the details panel
    ("Select a file to see its details", "Seleccione um ficheiro para ver os detalhes",
     "Wählen Sie eine Datei, um ihre Details zu sehen",
     "Sélectionnez un fichier pour voir ses détails", "Välj en fil för att se detaljer",
     "Selecteer een bestand om de details te zien"),
    ("Modified :", "Modificado :", "Geändert :", "Modifié :", "Ändrad :", "Gewijzigd :"),
    ("Size :", "Tamanho :", "Größe :", "Taille :", "Storlek :", "Grootte :"),
    ("Attributes :", "Atributos :", "Attribute :", "Attributs :", "Attribut :",
     "Kenmerken :"),
    # 30: not used
    ("(not used)", "(não usado)", "(nicht verwendet)", "(non utilisé)", "(används ej)",
     "(niet gebruikt)"),
    # 31: header of the zip member grid
    ("File lists in the zip archive", "Listas de ficheiros no arquivo zip",
     "Dateilisten im Zip-Archiv", "Listes de fichiers dans l'archive zip",
     "Fillistor i zip-arkivet", "Bestandslijsten in het zip-archief"),
    # 32: the picked row is not a file
    ("No details: this is not a file", "Sem detalhes: não é um ficheiro",
     "Keine Details: dies ist keine Datei", "Pas de détails : ce n'est pas un fichier",
     "Inga detaljer: detta är ingen fil", "Geen details: dit is geen bestand"),
    # 33: a zip archive is read or a list is taken from it
    ("Reading the zip archive, please wait...", "A ler o arquivo zip, aguarde...",
     "Zip-Archiv wird gelesen, bitte warten...",
     "Lecture de l'archive zip, veuillez patienter...", "Läser zip-arkivet, vänta...",
     "Zip-archief wordt gelezen, even geduld..."),
    # 34: the loader has read the lines
    ("All lines read, building the folder tree...",
     "Todas as linhas lidas, a criar a árvore de pastas...",
     "Alle Zeilen gelesen, Ordnerbaum wird erstellt...",
     "Toutes les lignes sont lues, création de l'arborescence...",
     "Alla rader lästa, bygger mappträdet...",
     "Alle regels gelezen, mappenstructuur wordt opgebouwd..."),
    # 35: the loader's last sort
    ("Sorting the file list, please wait...", "A ordenar a lista de ficheiros, aguarde...",
     "Dateiliste wird sortiert, bitte warten...",
     "Tri de la liste de fichiers, veuillez patienter...", "Sorterar fillistan, vänta...",
     "Bestandslijst wordt gesorteerd, even geduld..."),
    # 36: a list or a search result is loaded
    ("Loading the file list, please wait...", "A carregar a lista de ficheiros, aguarde...",
     "Dateiliste wird geladen, bitte warten...",
     "Chargement de la liste de fichiers, veuillez patienter...",
     "Läser in fillistan, vänta...", "Bestandslijst wordt geladen, even geduld..."),
    # 37: a zip archive holds lists
    ("File list loaded from the zip archive", "Lista de ficheiros carregada do arquivo zip",
     "Dateiliste aus dem Zip-Archiv geladen", "Liste de fichiers chargée depuis l'archive zip",
     "Fillistan lästes in från zip-arkivet", "Bestandslijst uit het zip-archief geladen"),
    # 38: the word before the match count
    ("Matches", "Resultados", "Treffer", "Résultats", "Träffar", "Treffers"),
    # 39: date search
    ("Searching by date, please wait...", "A procurar por data, aguarde...",
     "Suche nach Datum, bitte warten...", "Recherche par date, veuillez patienter...",
     "Söker efter datum, vänta...", "Zoeken op datum, even geduld..."),
    # 40: the program's name
    ("Corvane", "Corvane", "Corvane", "Corvane", "Corvane", "Corvane"),
    # 41: the quit question
    ("Do you want to quit Corvane?", "Deseja sair do Corvane?", "Möchten Sie Corvane beenden?",
     "Voulez-vous quitter Corvane ?", "Vill du avsluta Corvane?", "Wilt u Corvane afsluiten?"),
    # 42: the result file cannot be written / an extracted list is already there
    ("The file already exists or cannot be overwritten.",
     "O ficheiro já existe ou não pode ser substituído.",
     "Die Datei ist bereits vorhanden oder kann nicht überschrieben werden.",
     "Le fichier existe déjà ou ne peut pas être remplacé.",
     "Filen finns redan eller kan inte skrivas över.",
     "Het bestand bestaat al of kan niet worden overschreven."),
    # 43: the list file cannot be found
    ("The file list cannot be found.", "A lista de ficheiros não foi encontrada.",
     "Die Dateiliste wurde nicht gefunden.", "La liste de fichiers est introuvable.",
     "Fillistan hittades inte.", "De bestandslijst is niet gevonden."),
    ("Languages", "Idiomas", "Sprachen", "Langues", "Språk", "Talen"),
    ("Show Languages", "Mostrar idiomas", "Sprachen anzeigen", "Afficher les langues",
     "Visa språk", "Talen tonen"),
    # 46: hides the languages menu
    ("Hide Languages", "Ocultar idiomas", "Sprachen ausblenden", "Masquer les langues",
     "Dölj språk", "Talen verbergen"),
    ("Reload Filelist", "Recarregar lista de ficheiros", "Dateiliste neu laden",
     "Recharger la liste de fichiers", "Läs in fillistan igen", "Bestandslijst opnieuw laden"),
    ("Exit", "Sair", "Beenden", "Quitter", "Avsluta", "Afsluiten"),
    ("Multiple File Lists in Zip", "Várias listas de ficheiros no zip",
     "Mehrere Dateilisten im Zip", "Plusieurs listes de fichiers dans le zip",
     "Flera fillistor i zip-filen", "Meerdere bestandslijsten in zip"),
    # 50: the approval prompt
    ("To approve this list by e-mail click here ->",
     "Para aprovar esta lista por e-mail clique aqui ->",
     "Um diese Liste per E-Mail zu bestätigen, klicken Sie hier ->",
     "Pour approuver cette liste par e-mail, cliquez ici ->",
     "Klicka här för att godkänna listan via e-post ->",
     "Om deze lijst per email goed te keuren klik hier ->"),
]

# Entries after 50: texts the window needs beyond the first 51. Numbers are
# kept in blocks by subject so that a block can grow without renumbering
# another; a number with no text is written as an empty line of seven columns.
EXTRA = {}

# 51 to 69: the window (stale texts, notes viewer, stopping a load, replace question)

# 70 to 89: loading and archives (warnings, extraction failures)

# 90 to 109: search and filter
EXTRA[90] = ("Found : ", "Encontrados : ", "Gefunden : ", "Trouvés : ", "Hittade : ", "Gevonden : ")
EXTRA[91] = ("Stop", "Parar", "Stopp", "Arrêter", "Stoppa", "Stoppen")
EXTRA[92] = ("No matches found!", "Nenhum resultado encontrado!", "Keine Treffer gefunden!",
             "Aucun résultat trouvé !", "Inga träffar hittades!", "Geen treffers gevonden!")
EXTRA[93] = ("Searching the file list, please wait...",
             "A procurar na lista de ficheiros, aguarde...",
             "Dateiliste wird durchsucht, bitte warten...",
             "Recherche dans la liste de fichiers, veuillez patienter...",
             "Söker i fillistan, vänta...", "Bestandslijst wordt doorzocht, even geduld...")
EXTRA[94] = ("The search was stopped; the list shown is unchanged.",
             "A pesquisa foi interrompida; a lista mostrada não foi alterada.",
             "Die Suche wurde abgebrochen; die angezeigte Liste ist unverändert.",
             "La recherche a été arrêtée ; la liste affichée est inchangée.",
             "Sökningen avbröts; den visade listan är oförändrad.",
             "Het zoeken is gestopt; de getoonde lijst is ongewijzigd.")
EXTRA[95] = ("The file list could not be read to its end:",
             "Não foi possível ler a lista de ficheiros até ao fim:",
             "Die Dateiliste konnte nicht bis zum Ende gelesen werden:",
             "La liste de fichiers n'a pas pu être lue jusqu'au bout :",
             "Fillistan kunde inte läsas till slutet:",
             "De bestandslijst kon niet tot het einde worden gelezen:")

# 110 to 124: approval e-mail and saving a list

# 125 to 139: desktop integration (recent lists, drag and drop)

# 140 to 159: recovery overview


def main():
    assert len(ENTRIES) == 51, len(ENTRIES)
    last = max(EXTRA, default=50)
    assert min(EXTRA, default=51) > 50
    entries = list(ENTRIES) + [EXTRA.get(n, ("",) * 6) for n in range(51, last + 1)]
    lines = []
    for number, texts in enumerate(entries):
        assert len(texts) == 6, number
        for text in texts:
            assert "+" not in text and "\r" not in text and "\n" not in text, number
        en, pt, de, fr, sv, nl = texts
        lines.append("+".join([en, pt, de, fr, sv, "", nl]))
    data = ("\r\n".join(lines) + "\r\n").encode("cp1252")
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "lang.fil")
    with open(path, "wb") as out:
        out.write(data)


if __name__ == "__main__":
    main()
