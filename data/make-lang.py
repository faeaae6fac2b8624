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
EXTRA[51] = ("Replace the file \"%1\" with the copy from the zip archive?",
             "Substituir o ficheiro \"%1\" pela cópia do arquivo zip?",
             "Die Datei \"%1\" durch die Kopie aus dem Zip-Archiv ersetzen?",
             "Remplacer le fichier \"%1\" par la copie de l'archive zip ?",
             "Ersätta filen \"%1\" med kopian från zip-arkivet?",
             "Het bestand \"%1\" vervangen door de kopie uit het zip-archief?")
EXTRA[52] = ("Stop", "Parar", "Abbrechen", "Arrêter", "Avbryt", "Stoppen")
EXTRA[53] = ("Stop loading (Esc)", "Parar o carregamento (Esc)", "Laden abbrechen (Esc)",
             "Arrêter le chargement (Échap)", "Avbryt inläsningen (Esc)", "Laden stoppen (Esc)")
EXTRA[54] = ("Notes from the lab", "Notas do laboratório", "Hinweise des Labors",
             "Notes du laboratoire", "Anteckningar från labbet", "Notities van het lab")
EXTRA[55] = ("Double-click a note to read it", "Faça duplo clique numa nota para a ler",
             "Doppelklicken Sie auf einen Hinweis, um ihn zu lesen",
             "Double-cliquez sur une note pour la lire",
             "Dubbelklicka på en anteckning för att läsa den",
             "Dubbelklik op een notitie om die te lezen")
EXTRA[56] = ("The note \"%1\" cannot be read: %2", "Não é possível ler a nota \"%1\": %2",
             "Der Hinweis \"%1\" kann nicht gelesen werden: %2",
             "Impossible de lire la note \"%1\" : %2", "Anteckningen \"%1\" kan inte läsas: %2",
             "De notitie \"%1\" kan niet worden gelezen: %2")
# 57 and 58: the pattern hint and the attribute legend; English and
# Portuguese are the window's own texts.
EXTRA[57] = ("e.g. [*.doc; *reports*.xls;*.mdb;*.jpg]", "Ex. [*.doc; *reports*.xls;*.mdb;*.jpg]",
             "z. B. [*.doc; *berichte*.xls;*.mdb;*.jpg]", "ex. [*.doc; *rapports*.xls;*.mdb;*.jpg]",
             "t.ex. [*.doc; *rapporter*.xls;*.mdb;*.jpg]",
             "bijv. [*.doc; *rapporten*.xls;*.mdb;*.jpg]")
EXTRA[58] = ("D=Directory, R=Read-Only, H=Hidden, S=System, A=Archive, E=Encrypted, N=Normal, "
             "L=Alias, V=Volume, C=Compressed",
             "D=Directoria, R=Read-Only, H=Oculto, S=Sistema, A=Arquivo, E=Encriptado, N=Normal, "
             "L=Alias, V=Volume,C=Comprimido",
             "D=Ordner, R=Schreibgeschützt, H=Versteckt, S=System, A=Archiv, E=Verschlüsselt, "
             "N=Normal, L=Alias, V=Datenträger, C=Komprimiert",
             "D=Dossier, R=Lecture seule, H=Caché, S=Système, A=Archive, E=Chiffré, N=Normal, "
             "L=Alias, V=Volume, C=Compressé",
             "D=Mapp, R=Skrivskyddad, H=Dold, S=System, A=Arkiv, E=Krypterad, N=Normal, "
             "L=Alias, V=Volym, C=Komprimerad",
             "D=Map, R=Alleen-lezen, H=Verborgen, S=Systeem, A=Archief, E=Versleuteld, N=Normaal, "
             "L=Alias, V=Volume, C=Gecomprimeerd")
EXTRA[59] = ("The language file \"%1\" cannot be used: %2. Corvane goes on with its built-in texts.",
             "O ficheiro de idiomas \"%1\" não pode ser usado: %2. O Corvane continua com os "
             "textos incorporados.",
             "Die Sprachdatei \"%1\" kann nicht verwendet werden: %2. Corvane verwendet seine "
             "eingebauten Texte.",
             "Le fichier de langues \"%1\" est inutilisable : %2. Corvane continue avec ses "
             "textes intégrés.",
             "Språkfilen \"%1\" kan inte användas: %2. Corvane fortsätter med sina inbyggda texter.",
             "Het taalbestand \"%1\" kan niet worden gebruikt: %2. Corvane gaat verder met de "
             "ingebouwde teksten.")

# 70 to 89: loading and archives (warnings, extraction failures)
EXTRA[70] = ("The file list changed while it was read. Only the lines read before the change are shown.",
             "A lista de ficheiros foi alterada durante a leitura. Só são mostradas as linhas lidas antes da alteração.",
             "Die Dateiliste wurde während des Lesens geändert. Es werden nur die vorher gelesenen Zeilen angezeigt.",
             "La liste de fichiers a changé pendant sa lecture. Seules les lignes lues avant ce changement sont affichées.",
             "Fillistan ändrades medan den lästes. Endast raderna som lästes före ändringen visas.",
             "De bestandslijst is gewijzigd tijdens het lezen. Alleen de regels die daarvoor zijn gelezen worden getoond.")
EXTRA[71] = ("This file does not look like a file list: it holds binary data, not text.",
             "Este ficheiro não parece uma lista de ficheiros: contém dados binários, não texto.",
             "Diese Datei sieht nicht wie eine Dateiliste aus: Sie enthält Binärdaten, keinen Text.",
             "Ce fichier ne ressemble pas à une liste de fichiers : il contient des données binaires, pas du texte.",
             "Filen ser inte ut som en fillista: den innehåller binära data, inte text.",
             "Dit bestand lijkt geen bestandslijst: het bevat binaire gegevens, geen tekst.")
EXTRA[72] = ("This file does not look like a file list: none of its first lines reads path, date, size, attributes, status.",
             "Este ficheiro não parece uma lista de ficheiros: nenhuma das primeiras linhas tem caminho, data, tamanho, atributos, estado.",
             "Diese Datei sieht nicht wie eine Dateiliste aus: Keine der ersten Zeilen hat Pfad, Datum, Größe, Attribute, Status.",
             "Ce fichier ne ressemble pas à une liste de fichiers : aucune des premières lignes ne donne chemin, date, taille, attributs, état.",
             "Filen ser inte ut som en fillista: ingen av de första raderna har sökväg, datum, storlek, attribut, status.",
             "Dit bestand lijkt geen bestandslijst: geen van de eerste regels bevat pad, datum, grootte, kenmerken, status.")
EXTRA[73] = ("Load it anyway?", "Carregar mesmo assim?", "Trotzdem laden?", "Le charger quand même ?",
             "Läsa in den ändå?", "Toch laden?")
EXTRA[74] = ("This list unpacks to %1. Unpack it anyway?",
             "Esta lista ocupa %1 depois de extraída. Extrair mesmo assim?",
             "Diese Liste ist entpackt %1 groß. Trotzdem entpacken?",
             "Cette liste occupe %1 une fois décompressée. La décompresser quand même ?",
             "Listan blir %1 när den packas upp. Packa upp den ändå?",
             "Deze lijst wordt uitgepakt %1 groot. Toch uitpakken?")
EXTRA[75] = ("The list could not be unpacked: it is protected by a password.",
             "Não foi possível extrair a lista: está protegida por palavra-passe.",
             "Die Liste konnte nicht entpackt werden: Sie ist durch ein Kennwort geschützt.",
             "La liste n'a pas pu être décompressée : elle est protégée par un mot de passe.",
             "Listan kunde inte packas upp: den är skyddad med lösenord.",
             "De lijst kon niet worden uitgepakt: ze is met een wachtwoord beveiligd.")
EXTRA[76] = ("The list could not be unpacked: the zip archive is damaged.",
             "Não foi possível extrair a lista: o arquivo zip está danificado.",
             "Die Liste konnte nicht entpackt werden: Das Zip-Archiv ist beschädigt.",
             "La liste n'a pas pu être décompressée : l'archive zip est endommagée.",
             "Listan kunde inte packas upp: zip-arkivet är skadat.",
             "De lijst kon niet worden uitgepakt: het zip-archief is beschadigd.")
EXTRA[77] = ("The list could not be unpacked: it is stored in a way Corvane cannot read.",
             "Não foi possível extrair a lista: está guardada de uma forma que o Corvane não consegue ler.",
             "Die Liste konnte nicht entpackt werden: Sie ist in einer Form gespeichert, die Corvane nicht lesen kann.",
             "La liste n'a pas pu être décompressée : elle est enregistrée sous une forme que Corvane ne sait pas lire.",
             "Listan kunde inte packas upp: den är lagrad på ett sätt som Corvane inte kan läsa.",
             "De lijst kon niet worden uitgepakt: ze is opgeslagen op een manier die Corvane niet kan lezen.")
EXTRA[78] = ("The list could not be unpacked: there is not enough free disk space.",
             "Não foi possível extrair a lista: não há espaço livre suficiente no disco.",
             "Die Liste konnte nicht entpackt werden: Es ist nicht genügend freier Speicherplatz vorhanden.",
             "La liste n'a pas pu être décompressée : l'espace disque libre est insuffisant.",
             "Listan kunde inte packas upp: det finns inte tillräckligt med ledigt diskutrymme.",
             "De lijst kon niet worden uitgepakt: er is niet genoeg vrije schijfruimte.")
EXTRA[79] = ("The list could not be unpacked: Corvane's data folder cannot be written.",
             "Não foi possível extrair a lista: não é possível escrever na pasta de dados do Corvane.",
             "Die Liste konnte nicht entpackt werden: In den Datenordner von Corvane kann nicht geschrieben werden.",
             "La liste n'a pas pu être décompressée : le dossier de données de Corvane n'est pas accessible en écriture.",
             "Listan kunde inte packas upp: det går inte att skriva i Corvanes datamapp.",
             "De lijst kon niet worden uitgepakt: er kan niet worden geschreven in de gegevensmap van Corvane.")
EXTRA[80] = ("The list could not be unpacked from the zip archive.",
             "Não foi possível extrair a lista do arquivo zip.",
             "Die Liste konnte nicht aus dem Zip-Archiv entpackt werden.",
             "La liste n'a pas pu être extraite de l'archive zip.",
             "Listan kunde inte packas upp ur zip-arkivet.",
             "De lijst kon niet uit het zip-archief worden uitgepakt.")

EXTRA[81] = ("The file list \"%1\" could not be read to its end. The lines read before that are shown.",
             "Não foi possível ler a lista de ficheiros \"%1\" até ao fim. São mostradas as linhas lidas até aí.",
             "Die Dateiliste \"%1\" konnte nicht bis zum Ende gelesen werden. Die bis dahin gelesenen Zeilen werden angezeigt.",
             "La liste de fichiers \"%1\" n'a pas pu être lue jusqu'au bout. Les lignes lues jusque-là sont affichées.",
             "Fillistan \"%1\" kunde inte läsas till slutet. Raderna som lästes dittills visas.",
             "De bestandslijst \"%1\" kon niet tot het einde worden gelezen. De regels die tot dan toe zijn gelezen worden getoond.")
EXTRA[82] = ("The file \"%1\" could not be read.",
             "Não foi possível ler o ficheiro \"%1\".",
             "Die Datei \"%1\" konnte nicht gelesen werden.",
             "Le fichier \"%1\" n'a pas pu être lu.",
             "Filen \"%1\" kunde inte läsas.",
             "Het bestand \"%1\" kon niet worden gelezen.")
EXTRA[83] = ("\"%1\" is not a file list: it is a folder or a device.",
             "\"%1\" não é uma lista de ficheiros: é uma pasta ou um dispositivo.",
             "\"%1\" ist keine Dateiliste: Es ist ein Ordner oder ein Gerät.",
             "\"%1\" n'est pas une liste de fichiers : c'est un dossier ou un périphérique.",
             "\"%1\" är ingen fillista: det är en mapp eller en enhet.",
             "\"%1\" is geen bestandslijst: het is een map of een apparaat.")
EXTRA[84] = ("The file \"%1\" is empty: it holds no list.",
             "O ficheiro \"%1\" está vazio: não contém nenhuma lista.",
             "Die Datei \"%1\" ist leer: Sie enthält keine Liste.",
             "Le fichier \"%1\" est vide : il ne contient aucune liste.",
             "Filen \"%1\" är tom: den innehåller ingen lista.",
             "Het bestand \"%1\" is leeg: het bevat geen lijst.")
EXTRA[85] = ("The zip archive \"%1\" holds no file list; nothing was loaded.",
             "O arquivo zip \"%1\" não contém nenhuma lista de ficheiros; nada foi carregado.",
             "Das Zip-Archiv \"%1\" enthält keine Dateiliste; es wurde nichts geladen.",
             "L'archive zip \"%1\" ne contient aucune liste de fichiers ; rien n'a été chargé.",
             "Zip-arkivet \"%1\" innehåller ingen fillista; inget lästes in.",
             "Het zip-archief \"%1\" bevat geen bestandslijst; er is niets geladen.")
EXTRA[86] = ("The zip archive \"%1\" is incomplete: it was cut short.",
             "O arquivo zip \"%1\" está incompleto: foi truncado.",
             "Das Zip-Archiv \"%1\" ist unvollständig: Es wurde abgeschnitten.",
             "L'archive zip \"%1\" est incomplète : elle a été tronquée.",
             "Zip-arkivet \"%1\" är ofullständigt: det har kapats.",
             "Het zip-archief \"%1\" is onvolledig: het is afgebroken.")
EXTRA[87] = ("The zip archive \"%1\" is damaged; nothing was loaded.",
             "O arquivo zip \"%1\" está danificado; nada foi carregado.",
             "Das Zip-Archiv \"%1\" ist beschädigt; es wurde nichts geladen.",
             "L'archive zip \"%1\" est endommagée ; rien n'a été chargé.",
             "Zip-arkivet \"%1\" är skadat; inget lästes in.",
             "Het zip-archief \"%1\" is beschadigd; er is niets geladen.")
EXTRA[88] = ("Entries of this archive not offered, their names or types not being safe to unpack: %1",
             "Entradas deste arquivo não apresentadas, por os seus nomes ou tipos não serem seguros para extrair: %1",
             "Nicht angebotene Einträge dieses Archivs, da ihre Namen oder Arten nicht sicher entpackt werden können: %1",
             "Entrées de cette archive non proposées, leurs noms ou types n'étant pas sûrs à extraire : %1",
             "Poster i arkivet som inte erbjuds eftersom deras namn eller typer inte är säkra att packa upp: %1",
             "Items van dit archief die niet worden aangeboden omdat hun namen of soorten niet veilig kunnen worden uitgepakt: %1")
EXTRA[89] = ("Technical details:", "Detalhes técnicos:", "Technische Einzelheiten:",
             "Détails techniques :", "Tekniska detaljer:", "Technische details:")

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
EXTRA[110] = ("Save list as...", "Guardar lista como...", "Liste speichern unter...",
              "Enregistrer la liste sous...", "Spara listan som...", "Lijst opslaan als...")
EXTRA[111] = (
    "Unable to connect to your email client. Please respond to the original email, thank you.",
    "Não foi possível ligar ao seu programa de e-mail. Responda ao e-mail original, obrigado.",
    "Keine Verbindung zu Ihrem E-Mail-Programm möglich. Bitte antworten Sie auf die "
    "ursprüngliche E-Mail, danke.",
    "Impossible de joindre votre logiciel de messagerie. Veuillez répondre à l'e-mail "
    "d'origine, merci.",
    "Det gick inte att ansluta till ditt e-postprogram. Svara på det ursprungliga "
    "e-postmeddelandet, tack.",
    "Kan geen verbinding maken met uw e-mailprogramma. Beantwoord a.u.b. de oorspronkelijke "
    "e-mail, dank u.")
EXTRA[112] = ("Approval e-mail", "E-mail de aprovação", "Bestätigungs-E-Mail",
              "E-mail d'approbation", "Godkännande via e-post", "Goedkeuringsmail")
EXTRA[113] = (
    "Your mail program was asked to open this message. If it did not appear, copy it into a "
    "new e-mail to the lab.",
    "Foi pedido ao seu programa de e-mail que abrisse esta mensagem. Se não aparecer, copie-a "
    "para um novo e-mail para o laboratório.",
    "Ihr E-Mail-Programm wurde gebeten, diese Nachricht zu öffnen. Falls sie nicht erscheint, "
    "kopieren Sie sie in eine neue E-Mail an das Labor.",
    "Votre logiciel de messagerie a été invité à ouvrir ce message. S'il n'apparaît pas, "
    "copiez-le dans un nouvel e-mail au laboratoire.",
    "Ditt e-postprogram ombads öppna det här meddelandet. Om det inte visas, kopiera det till "
    "ett nytt e-postmeddelande till labbet.",
    "Uw e-mailprogramma is gevraagd dit bericht te openen. Verschijnt het niet, kopieer het dan "
    "naar een nieuwe e-mail aan het lab.")
EXTRA[114] = (
    "No mail program could be started. Copy this message into a new e-mail to the lab, or reply "
    "to the lab's e-mail with it.",
    "Não foi possível iniciar nenhum programa de e-mail. Copie esta mensagem para um novo e-mail "
    "para o laboratório ou responda com ela ao e-mail do laboratório.",
    "Es konnte kein E-Mail-Programm gestartet werden. Kopieren Sie diese Nachricht in eine neue "
    "E-Mail an das Labor oder antworten Sie damit auf die E-Mail des Labors.",
    "Aucun logiciel de messagerie n'a pu être lancé. Copiez ce message dans un nouvel e-mail au "
    "laboratoire, ou répondez avec lui à l'e-mail du laboratoire.",
    "Inget e-postprogram kunde startas. Kopiera meddelandet till ett nytt e-postmeddelande till "
    "labbet, eller svara med det på labbets e-post.",
    "Er kon geen e-mailprogramma worden gestart. Kopieer dit bericht naar een nieuwe e-mail aan "
    "het lab, of beantwoord er de e-mail van het lab mee.")
EXTRA[115] = ("To:", "Para:", "An:", "À :", "Till:", "Aan:")
EXTRA[116] = ("Subject:", "Assunto:", "Betreff:", "Objet :", "Ämne:", "Onderwerp:")
EXTRA[117] = ("Message:", "Mensagem:", "Nachricht:", "Message :", "Meddelande:", "Bericht:")
EXTRA[118] = ("Copy all", "Copiar tudo", "Alles kopieren", "Tout copier", "Kopiera allt",
              "Alles kopiëren")
EXTRA[119] = ("Close", "Fechar", "Schließen", "Fermer", "Stäng", "Sluiten")
EXTRA[120] = (
    'The list could not be saved as "%1": %2. Nothing was changed.',
    'Não foi possível guardar a lista como "%1": %2. Nada foi alterado.',
    'Die Liste konnte nicht als "%1" gespeichert werden: %2. Es wurde nichts verändert.',
    'La liste n\'a pas pu être enregistrée sous "%1" : %2. Rien n\'a été modifié.',
    'Listan kunde inte sparas som "%1": %2. Inget har ändrats.',
    'De lijst kon niet worden opgeslagen als "%1": %2. Er is niets gewijzigd.')
EXTRA[121] = (
    '"%1" is the list that is open or the file it came from: choose another name.',
    '"%1" é a lista aberta ou o ficheiro de onde veio: escolha outro nome.',
    '"%1" ist die geöffnete Liste oder die Datei, aus der sie stammt: Wählen Sie einen anderen '
    'Namen.',
    '"%1" est la liste ouverte ou le fichier dont elle provient : choisissez un autre nom.',
    '"%1" är den öppna listan eller filen den kommer från: välj ett annat namn.',
    '"%1" is de geopende lijst of het bestand waar die uit komt: kies een andere naam.')
EXTRA[122] = ("File Lists", "Listas de ficheiros", "Dateilisten", "Listes de fichiers",
              "Fillistor", "Bestandslijsten")
EXTRA[123] = (
    'The list was saved as "%1" (%2 lines).',
    'A lista foi guardada como "%1" (%2 linhas).',
    'Die Liste wurde als "%1" gespeichert (%2 Zeilen).',
    'La liste a été enregistrée sous "%1" (%2 lignes).',
    'Listan sparades som "%1" (%2 rader).',
    'De lijst is opgeslagen als "%1" (%2 regels).')
EXTRA[124] = ("Copied to the clipboard.", "Copiado para a área de transferência.",
              "In die Zwischenablage kopiert.", "Copié dans le presse-papiers.",
              "Kopierat till urklipp.", "Gekopieerd naar het klembord.")

# 125 to 139: desktop integration (recent lists, drag and drop)
EXTRA[125] = ("Recent Lists", "Listas recentes", "Zuletzt ge\u00f6ffnete Listen",
              "Listes r\u00e9centes", "Senaste listor", "Recente lijsten")
EXTRA[126] = ("The list \"%1\" is no longer there. It was taken off the recent lists.",
              "A lista \"%1\" j\u00e1 n\u00e3o existe. Foi retirada das listas recentes.",
              "Die Liste \"%1\" ist nicht mehr vorhanden. Sie wurde aus den zuletzt "
              "ge\u00f6ffneten Listen entfernt.",
              "La liste \"%1\" n'existe plus. Elle a \u00e9t\u00e9 retir\u00e9e des listes "
              "r\u00e9centes.",
              "Listan \"%1\" finns inte l\u00e4ngre. Den togs bort fr\u00e5n de senaste listorna.",
              "De lijst \"%1\" bestaat niet meer. Hij is van de recente lijsten gehaald.")
EXTRA[127] = ("Only the first of the %1 files was opened: %2",
              "S\u00f3 o primeiro dos %1 ficheiros foi aberto: %2",
              "Nur die erste der %1 Dateien wurde ge\u00f6ffnet: %2",
              "Seul le premier des %1 fichiers a \u00e9t\u00e9 ouvert : %2",
              "Bara den f\u00f6rsta av de %1 filerna \u00f6ppnades: %2",
              "Alleen het eerste van de %1 bestanden is geopend: %2")
EXTRA[128] = ("\"%1\" is not a file list. Corvane opens lists (.csv) and zip archives (.zip).",
              "\"%1\" n\u00e3o \u00e9 uma lista de ficheiros. O Corvane abre listas (.csv) e "
              "arquivos zip (.zip).",
              "\"%1\" ist keine Dateiliste. Corvane \u00f6ffnet Listen (.csv) und Zip-Archive (.zip).",
              "\"%1\" n'est pas une liste de fichiers. Corvane ouvre les listes (.csv) et les "
              "archives zip (.zip).",
              "\"%1\" \u00e4r ingen fillista. Corvane \u00f6ppnar listor (.csv) och zip-arkiv (.zip).",
              "\"%1\" is geen bestandslijst. Corvane opent lijsten (.csv) en zip-archieven (.zip).")
EXTRA[129] = ("Clear Recent Lists", "Limpar listas recentes",
              "Zuletzt ge\u00f6ffnete Listen leeren", "Effacer les listes r\u00e9centes",
              "T\u00f6m senaste listor", "Recente lijsten wissen")
EXTRA[130] = ("No recent lists", "Nenhuma lista recente", "Keine zuletzt ge\u00f6ffneten Listen",
              "Aucune liste r\u00e9cente", "Inga senaste listor", "Geen recente lijsten")
EXTRA[131] = ("\"%1\" is a folder. Drop a list (.csv) or a zip archive (.zip) onto the window.",
              "\"%1\" \u00e9 uma pasta. Largue uma lista (.csv) ou um arquivo zip (.zip) na janela.",
              "\"%1\" ist ein Ordner. Ziehen Sie eine Liste (.csv) oder ein Zip-Archiv (.zip) "
              "auf das Fenster.",
              "\"%1\" est un dossier. D\u00e9posez une liste (.csv) ou une archive zip (.zip) "
              "sur la fen\u00eatre.",
              "\"%1\" \u00e4r en mapp. Sl\u00e4pp en lista (.csv) eller ett zip-arkiv (.zip) "
              "p\u00e5 f\u00f6nstret.",
              "\"%1\" is een map. Sleep een lijst (.csv) of een zip-archief (.zip) naar het venster.")

# 140 to 159: recovery overview
EXTRA[140] = ("Recovery", "Recuperação", "Wiederherstellung", "Récupération", "Återställning",
              "Herstel")
EXTRA[141] = ("other", "outros", "andere", "autres", "övriga", "overige")
EXTRA[142] = ("unknown", "desconhecido", "unbekannt", "inconnu", "okänt", "onbekend")
EXTRA[143] = ("Click a status to show only its files.",
              "Clique num estado para mostrar apenas os seus ficheiros.",
              "Klicken Sie auf einen Status, um nur seine Dateien anzuzeigen.",
              "Cliquez sur un état pour n'afficher que ses fichiers.",
              "Klicka på en status för att bara visa dess filer.",
              "Klik op een status om alleen de bijbehorende bestanden te tonen.")
EXTRA[144] = ("Columns", "Colunas", "Spalten", "Colonnes", "Kolumner", "Kolommen")

# 145 to 159: the window's bottom row and its messages
EXTRA[145] = ("The lab's note \"%1\" could not be unpacked.",
              "Não foi possível extrair a nota do laboratório \"%1\".",
              "Der Hinweis des Labors \"%1\" konnte nicht entpackt werden.",
              "La note du laboratoire \"%1\" n'a pas pu être extraite.",
              "Labbets anteckning \"%1\" kunde inte packas upp.",
              "De notitie van het lab \"%1\" kon niet worden uitgepakt.")

# 165 to 172: why a list could not be saved (the %2 of entry 120)
EXTRA[165] = ("the disk is full", "o disco está cheio", "der Datenträger ist voll",
              "le disque est plein", "disken är full", "de schijf is vol")
EXTRA[166] = (
    "it is not an ordinary file (but a device, a pipe or a socket) and was left as it is",
    "não é um ficheiro normal (mas um dispositivo, um pipe ou um socket) e foi deixado como "
    "estava",
    "es ist keine gewöhnliche Datei (sondern ein Gerät, eine Pipe oder ein Socket) und wurde "
    "so belassen",
    "ce n'est pas un fichier ordinaire (mais un périphérique, un tube ou un socket) et il a été "
    "laissé tel quel",
    "det är ingen vanlig fil (utan en enhet, ett rör eller en socket) och lämnades som den var",
    "het is geen gewoon bestand (maar een apparaat, een pipe of een socket) en is gelaten zoals "
    "het was")
EXTRA[167] = ("it is a folder", "é uma pasta", "es ist ein Ordner", "c'est un dossier",
              "det är en mapp", "het is een map")
EXTRA[168] = ("it is a link that leads to no file",
              "é uma ligação que não leva a nenhum ficheiro",
              "es ist eine Verknüpfung, die zu keiner Datei führt",
              "c'est un lien qui ne mène à aucun fichier",
              "det är en länk som inte leder till någon fil",
              "het is een koppeling die naar geen bestand leidt")
EXTRA[169] = ("the folder does not exist", "a pasta não existe", "der Ordner existiert nicht",
              "le dossier n'existe pas", "mappen finns inte", "de map bestaat niet")
EXTRA[170] = ("you may not write there", "não tem permissão para escrever aí",
              "Sie dürfen dort nicht schreiben", "vous n'avez pas le droit d'écrire à cet endroit",
              "du har inte behörighet att skriva där", "u mag daar niet schrijven")
EXTRA[171] = ("the system reported: %1", "o sistema indicou: %1", "das System meldete: %1",
              "le système a signalé : %1", "systemet rapporterade: %1", "het systeem meldde: %1")


# 160 to 164: the lab's notes read from the archive
EXTRA[160] = ("Only the first %1 of this note are shown; the whole note is %2.",
              "Apenas os primeiros %1 desta nota são mostrados; a nota inteira tem %2.",
              "Nur die ersten %1 dieses Hinweises werden angezeigt; der ganze Hinweis umfasst %2.",
              "Seuls les premiers %1 de cette note sont affichés ; la note entière fait %2.",
              "Endast de första %1 av anteckningen visas; hela anteckningen är %2.",
              "Alleen de eerste %1 van deze notitie worden getoond; de hele notitie is %2.")

# 150 to 159: the program's own files left alone, lists gone from the recent lists
EXTRA[150] = ("Corvane's own file \"%1\" is a link. It was left alone: nothing is read from it "
              "or written through it.",
              "O ficheiro do Corvane \"%1\" é uma ligação. Foi ignorado: nada é lido dele nem "
              "escrito através dele.",
              "Corvanes eigene Datei \"%1\" ist eine Verknüpfung. Sie bleibt unberührt: nichts "
              "wird aus ihr gelesen oder durch sie geschrieben.",
              "Le fichier de Corvane \"%1\" est un lien. Il a été laissé tel quel : rien n'y est "
              "lu ni écrit à travers lui.",
              "Corvanes egen fil \"%1\" är en länk. Den lämnades orörd: inget läses från den "
              "eller skrivs genom den.",
              "Het eigen bestand van Corvane \"%1\" is een koppeling. Het is ongemoeid gelaten: er "
              "wordt niets uit gelezen of via geschreven.")
EXTRA[151] = ("Corvane's own file \"%1\" is not an ordinary file (a folder, a device or a pipe). "
              "It was left alone: nothing is read from it or written to it.",
              "O ficheiro do Corvane \"%1\" não é um ficheiro comum (uma pasta, um dispositivo ou "
              "um pipe). Foi ignorado: nada é lido dele nem escrito nele.",
              "Corvanes eigene Datei \"%1\" ist keine gewöhnliche Datei (ein Ordner, ein Gerät "
              "oder eine Pipe). Sie bleibt unberührt: nichts wird aus ihr gelesen oder in sie "
              "geschrieben.",
              "Le fichier de Corvane \"%1\" n'est pas un fichier ordinaire (un dossier, un "
              "périphérique ou un tube). Il a été laissé tel quel : rien n'y est lu ni écrit.",
              "Corvanes egen fil \"%1\" är ingen vanlig fil (en mapp, en enhet eller en pipe). "
              "Den lämnades orörd: inget läses från den eller skrivs till den.",
              "Het eigen bestand van Corvane \"%1\" is geen gewoon bestand (een map, een apparaat "
              "of een pipe). Het is ongemoeid gelaten: er wordt niets uit gelezen of in "
              "geschreven.")
EXTRA[152] = ("Corvane's own file \"%1\" is far larger than Corvane ever writes it. It was not "
              "read.",
              "O ficheiro do Corvane \"%1\" é muito maior do que o Corvane alguma vez o escreve. "
              "Não foi lido.",
              "Corvanes eigene Datei \"%1\" ist viel größer, als Corvane sie je schreibt. Sie "
              "wurde nicht gelesen.",
              "Le fichier de Corvane \"%1\" est bien plus grand que ce que Corvane y écrit "
              "jamais. Il n'a pas été lu.",
              "Corvanes egen fil \"%1\" är mycket större än Corvane någonsin skriver den. Den "
              "lästes inte.",
              "Het eigen bestand van Corvane \"%1\" is veel groter dan Corvane het ooit schrijft. "
              "Het is niet gelezen.")
EXTRA[153] = ("\"%1\" is now a folder, not a list. It was taken off the recent lists.",
              "\"%1\" é agora uma pasta, não uma lista. Foi retirada das listas recentes.",
              "\"%1\" ist jetzt ein Ordner, keine Liste. Sie wurde aus den zuletzt geöffneten "
              "Listen entfernt.",
              "\"%1\" est maintenant un dossier, pas une liste. Il a été retiré des listes "
              "récentes.",
              "\"%1\" är nu en mapp, inte en lista. Den togs bort från de senaste listorna.",
              "\"%1\" is nu een map, geen lijst. Het is van de recente lijsten gehaald.")
EXTRA[154] = ("\"%1\" is now a device or a pipe, not a list. It was taken off the recent lists.",
              "\"%1\" é agora um dispositivo ou um pipe, não uma lista. Foi retirado das listas "
              "recentes.",
              "\"%1\" ist jetzt ein Gerät oder eine Pipe, keine Liste. Es wurde aus den zuletzt "
              "geöffneten Listen entfernt.",
              "\"%1\" est maintenant un périphérique ou un tube, pas une liste. Il a été retiré "
              "des listes récentes.",
              "\"%1\" är nu en enhet eller en pipe, inte en lista. Den togs bort från de senaste "
              "listorna.",
              "\"%1\" is nu een apparaat of een pipe, geen lijst. Het is van de recente lijsten "
              "gehaald.")
EXTRA[155] = ("The list \"%1\" cannot be reached (%2). It stays on the recent lists.",
              "Não é possível aceder à lista \"%1\" (%2). Continua nas listas recentes.",
              "Auf die Liste \"%1\" kann nicht zugegriffen werden (%2). Sie bleibt in den "
              "zuletzt geöffneten Listen.",
              "La liste \"%1\" est inaccessible (%2). Elle reste dans les listes récentes.",
              "Listan \"%1\" kan inte nås (%2). Den finns kvar bland de senaste listorna.",
              "De lijst \"%1\" is niet bereikbaar (%2). Hij blijft bij de recente lijsten.")

# 230 to 239: the date pickers
EXTRA[230] = ("\"%1\" cannot be read as a date. Type it as %2 or %3.",
              "\"%1\" não pode ser lido como data. Escreva-a como %2 ou %3.",
              "\"%1\" ist kein lesbares Datum. Geben Sie es als %2 oder %3 ein.",
              "\"%1\" ne peut pas être lu comme une date. Saisissez-la sous la forme %2 ou %3.",
              "\"%1\" kan inte läsas som ett datum. Skriv det som %2 eller %3.",
              "\"%1\" kan niet als datum worden gelezen. Typ de datum als %2 of %3.")
EXTRA[231] = ("Type a date, as %1 or %2.", "Escreva uma data, como %1 ou %2.",
              "Geben Sie ein Datum ein, als %1 oder %2.",
              "Saisissez une date, sous la forme %1 ou %2.", "Skriv ett datum, som %1 eller %2.",
              "Typ een datum, als %1 of %2.")
EXTRA[232] = ("The date search did not start: a date cannot be read.",
              "A pesquisa por data não foi iniciada: uma data não pode ser lida.",
              "Die Datumssuche wurde nicht gestartet: ein Datum ist nicht lesbar.",
              "La recherche par date n'a pas démarré : une date ne peut pas être lue.",
              "Datumsökningen startades inte: ett datum kan inte läsas.",
              "Het zoeken op datum is niet gestart: een datum kan niet worden gelezen.")
# 190 to 199: a reload that was stopped
EXTRA[190] = ("The reload was stopped; the list shown is unchanged.",
              "O recarregamento foi interrompido; a lista mostrada não foi alterada.",
              "Das Neuladen wurde abgebrochen; die angezeigte Liste ist unverändert.",
              "Le rechargement a été arrêté ; la liste affichée est inchangée.",
              "Omladdningen avbröts; den visade listan är oförändrad.",
              "Het opnieuw laden is gestopt; de getoonde lijst is ongewijzigd.")
# 210 to 229: words the window wrote in English in every language (the
# filter's own entries, message box titles, the proposed file name's suffix,
# the size units, a status line of the reload)
EXTRA[210] = ("(No Filter)", "(Sem filtro)", "(Kein Filter)", "(Aucun filtre)", "(Inget filter)",
              "(Geen filter)")
EXTRA[211] = ("(Reload)", "(Recarregar)", "(Neu laden)", "(Recharger)", "(Läs in igen)",
              "(Opnieuw laden)")
# 212: the label before the status box; 213: the button that runs the filter
EXTRA[212] = ("Filter", "Filtro", "Filter", "Filtre", "Filter", "Filter")
EXTRA[213] = ("Filter", "Filtrar", "Filtern", "Filtrer", "Filtrera", "Filteren")
EXTRA[214] = ("Quit", "Sair", "Beenden", "Quitter", "Avsluta", "Afsluiten")
EXTRA[215] = ("Quit?", "Sair?", "Beenden?", "Quitter ?", "Avsluta?", "Afsluiten?")
EXTRA[217] = ("Unable to connect to email client.",
              "Não foi possível contactar o programa de e-mail.",
              "Keine Verbindung zum E-Mail-Programm möglich.",
              "Impossible de joindre le logiciel de messagerie.",
              "Kunde inte ansluta till e-postprogrammet.",
              "Kan geen verbinding maken met het e-mailprogramma.")
# 218: added to the list's name in the name "Save list as..." proposes
EXTRA[218] = ("-selection", "-seleção", "-auswahl", "-sélection", "-urval", "-selectie")
# 219: the size units, five words: bytes, Kb, Mb, Gb, Tb
EXTRA[219] = ("Bytes Kb Mb Gb Tb", "Bytes KB MB GB TB", "Bytes KB MB GB TB", "octets Ko Mo Go To",
              "byte kB MB GB TB", "bytes KB MB GB TB")
EXTRA[220] = ("No matches found", "Nenhum resultado", "Keine Treffer", "Aucun résultat",
              "Inga träffar", "Geen resultaten")
EXTRA[221] = ("Clearing old list...", "A limpar a lista anterior...",
              "Die alte Liste wird geleert...", "Effacement de l'ancienne liste...",
              "Tömmer den gamla listan...", "Oude lijst wordt gewist...")

# 240 to 249: message box titles
EXTRA[240] = ("Error", "Erro", "Fehler", "Erreur", "Fel", "Fout")
EXTRA[241] = ("System error!", "Erro do sistema!", "Systemfehler!", "Erreur système !",
              "Systemfel!", "Systeemfout!")

# 242 to 269: the restore basket
EXTRA[242] = ("Add all shown", "Adicionar todos os mostrados", "Alle angezeigten hinzufügen",
              "Ajouter tout l'affiché", "Lägg till alla visade", "Alle getoonde toevoegen")
EXTRA[243] = ("Remove all shown", "Retirar todos os mostrados", "Alle angezeigten entfernen",
              "Retirer tout l'affiché", "Ta bort alla visade", "Alle getoonde verwijderen")
EXTRA[244] = ("Chosen: %1 files, %2; the largest %3", "Escolhidos: %1 ficheiros, %2; o maior %3",
              "Ausgewählt: %1 Dateien, %2; die größte %3",
              "Choisis : %1 fichiers, %2 ; le plus grand %3",
              "Valda: %1 filer, %2; den största %3", "Gekozen: %1 bestanden, %2; het grootste %3")
EXTRA[245] = ("Target drive:", "Disco de destino:", "Ziellaufwerk:", "Disque cible :",
              "Målenhet:", "Doelschijf:")
EXTRA[246] = ("Type the drive's size, as 500 GB, 2 TB or 64 GiB.",
              "Escreva o tamanho do disco, como 500 GB, 2 TB ou 64 GiB.",
              "Geben Sie die Größe des Laufwerks ein, etwa 500 GB, 2 TB oder 64 GiB.",
              "Saisissez la taille du disque, par exemple 500 Go, 2 To ou 64 Gio.",
              "Skriv enhetens storlek, som 500 GB, 2 TB eller 64 GiB.",
              "Typ de grootte van de schijf, zoals 500 GB, 2 TB of 64 GiB.")
EXTRA[247] = ("e.g. 1 TB", "ex. 1 TB", "z. B. 1 TB", "ex. 1 To", "t.ex. 1 TB", "bv. 1 TB")
EXTRA[248] = ("The file system of the target drive", "O sistema de ficheiros do disco de destino",
              "Das Dateisystem des Ziellaufwerks", "Le système de fichiers du disque cible",
              "Målenhetens filsystem", "Het bestandssysteem van de doelschijf")
EXTRA[249] = ("On the drive: %1 of %2", "No disco: %1 de %2", "Auf dem Laufwerk: %1 von %2",
              "Sur le disque : %1 sur %2", "På enheten: %1 av %2", "Op de schijf: %1 van %2")
EXTRA[250] = ("On the drive: %1", "No disco: %1", "Auf dem Laufwerk: %1", "Sur le disque : %1",
              "På enheten: %1", "Op de schijf: %1")
EXTRA[251] = ("Does not fit: %1 more is needed", "Não cabe: faltam %1",
              "Passt nicht: %1 mehr nötig", "Ne tient pas : il manque %1",
              "Får inte plats: %1 till behövs", "Past niet: nog %1 nodig")
EXTRA[252] = ("%1 files too big for %2", "%1 ficheiros grandes demais para %2",
              "%1 Dateien zu groß für %2", "%1 fichiers trop grands pour %2",
              "%1 filer för stora för %2", "%1 bestanden te groot voor %2")
EXTRA[253] = ("%1 paths longer than 260 characters", "%1 caminhos com mais de 260 caracteres",
              "%1 Pfade länger als 260 Zeichen", "%1 chemins de plus de 260 caractères",
              "%1 sökvägar längre än 260 tecken", "%1 paden langer dan 260 tekens")
EXTRA[254] = ("Save restore list...", "Guardar lista de recuperação...",
              "Wiederherstellungsliste speichern...", "Enregistrer la liste de restauration...",
              "Spara återställningslista...", "Herstellijst opslaan...")
EXTRA[255] = ("Empty basket", "Esvaziar a seleção", "Auswahl leeren", "Vider la sélection",
              "Töm urvalet", "Selectie leegmaken")
EXTRA[256] = ("-restore", "-recuperar", "-wiederherstellen", "-restaurer", "-aterstall",
              "-herstellen")
EXTRA[257] = ("The largest chosen files", "Os maiores ficheiros escolhidos",
              "Die größten ausgewählten Dateien", "Les plus grands fichiers choisis",
              "De största valda filerna", "De grootste gekozen bestanden")
EXTRA[258] = ("Files too big for %1", "Ficheiros grandes demais para %1",
              "Dateien zu groß für %1", "Fichiers trop grands pour %1", "Filer för stora för %1",
              "Bestanden te groot voor %1")
EXTRA[259] = ("Paths longer than 260 characters below the drive's root",
              "Caminhos com mais de 260 caracteres abaixo da raiz do disco",
              "Pfade länger als 260 Zeichen unterhalb des Laufwerksstamms",
              "Chemins de plus de 260 caractères sous la racine du disque",
              "Sökvägar längre än 260 tecken under enhetens rot",
              "Paden langer dan 260 tekens onder de hoofdmap van de schijf")
EXTRA[260] = ("... and %1 more", "... e mais %1", "... und %1 weitere", "... et %1 de plus",
              "... och %1 till", "... en nog %1")
EXTRA[261] = ("Chosen for the restore: %1 files, %2.",
              "Escolhidos para a recuperação: %1 ficheiros, %2.",
              "Für die Wiederherstellung ausgewählt: %1 Dateien, %2.",
              "Choisis pour la restauration : %1 fichiers, %2.",
              "Valda för återställningen: %1 filer, %2.",
              "Gekozen voor het herstel: %1 bestanden, %2.")
EXTRA[262] = ("The list of them is the file \"%1\": please attach it to this e-mail.",
              "A lista deles é o ficheiro \"%1\": anexe-o a este e-mail.",
              "Ihre Liste ist die Datei \"%1\": bitte hängen Sie sie an diese E-Mail an.",
              "Leur liste est le fichier \"%1\" : joignez-le à cet e-mail.",
              "Listan över dem är filen \"%1\": bifoga den till detta e-postmeddelande.",
              "De lijst ervan is het bestand \"%1\": voeg het toe aan deze e-mail.")
EXTRA[263] = ("Please save their list with \"Save restore list...\" and attach it to this e-mail.",
              "Guarde a lista deles com \"Guardar lista de recuperação...\" e anexe-a a este e-mail.",
              "Bitte speichern Sie ihre Liste mit \"Wiederherstellungsliste speichern...\" und "
              "hängen Sie sie an diese E-Mail an.",
              "Enregistrez leur liste avec \"Enregistrer la liste de restauration...\" et "
              "joignez-la à cet e-mail.",
              "Spara listan över dem med \"Spara återställningslista...\" och bifoga den till "
              "detta e-postmeddelande.",
              "Sla de lijst ervan op met \"Herstellijst opslaan...\" en voeg die toe aan deze "
              "e-mail.")
EXTRA[264] = ("This list has changed since its choice for the restore was kept: the choice "
              "starts empty.",
              "Esta lista mudou desde que a sua escolha para a recuperação foi guardada: a "
              "escolha começa vazia.",
              "Diese Liste hat sich geändert, seit ihre Auswahl für die Wiederherstellung "
              "gespeichert wurde: die Auswahl beginnt leer.",
              "Cette liste a changé depuis que son choix pour la restauration a été gardé : le "
              "choix repart vide.",
              "Listan har ändrats sedan dess urval för återställningen sparades: urvalet börjar "
              "tomt.",
              "Deze lijst is gewijzigd sinds de keuze voor het herstel werd bewaard: de keuze "
              "begint leeg.")
EXTRA[265] = ("The kept choice for the restore of this list could not be read (%1) and was "
              "left aside.",
              "A escolha guardada para a recuperação desta lista não pôde ser lida (%1) e foi "
              "posta de lado.",
              "Die gespeicherte Auswahl für die Wiederherstellung dieser Liste war nicht lesbar "
              "(%1) und wurde beiseitegelegt.",
              "Le choix gardé pour la restauration de cette liste n'a pas pu être lu (%1) et a "
              "été mis de côté.",
              "Det sparade urvalet för återställningen av listan kunde inte läsas (%1) och "
              "lades åt sidan.",
              "De bewaarde keuze voor het herstel van deze lijst kon niet worden gelezen (%1) en "
              "is terzijde gelegd.")
EXTRA[266] = ("The choice for the restore could not be kept for the next time (%1); it stays "
              "in this window.",
              "A escolha para a recuperação não pôde ser guardada para a próxima vez (%1); "
              "fica nesta janela.",
              "Die Auswahl für die Wiederherstellung konnte nicht für das nächste Mal "
              "gespeichert werden (%1); sie bleibt in diesem Fenster.",
              "Le choix pour la restauration n'a pas pu être gardé pour la prochaine fois "
              "(%1) ; il reste dans cette fenêtre.",
              "Urvalet för återställningen kunde inte sparas till nästa gång (%1); det finns "
              "kvar i det här fönstret.",
              "De keuze voor het herstel kon niet voor de volgende keer worden bewaard (%1); "
              "ze blijft in dit venster.")

EXTRA[267] = ("Check my files...",
              "Verificar os meus ficheiros...",
              "Meine Dateien prüfen...",
              "Vérifier mes fichiers...",
              "Kontrollera mina filer...",
              "Mijn bestanden controleren...")
EXTRA[268] = ("Did my files come back?",
              "Os meus ficheiros voltaram?",
              "Sind meine Dateien zurück?",
              "Mes fichiers sont-ils revenus ?",
              "Kom mina filer tillbaka?",
              "Zijn mijn bestanden terug?")
EXTRA[269] = ("One file name or pattern a line, as Diplomarbeit, *.pst or IMG_2019*; paste them here, open a file or drop one. Lines beginning with # are skipped.",
              "Um nome de ficheiro ou padrão por linha, como Diplomarbeit, *.pst ou IMG_2019*; cole-os aqui, abra um ficheiro ou largue um. As linhas que começam por # são ignoradas.",
              "Ein Dateiname oder Muster je Zeile, etwa Diplomarbeit, *.pst oder IMG_2019*; hier einfügen, eine Datei öffnen oder hierher ziehen. Zeilen, die mit # beginnen, werden übersprungen.",
              "Un nom de fichier ou un modèle par ligne, comme Diplomarbeit, *.pst ou IMG_2019* ; collez-les ici, ouvrez un fichier ou déposez-en un. Les lignes commençant par # sont ignorées.",
              "Ett filnamn eller mönster per rad, som Diplomarbeit, *.pst eller IMG_2019*; klistra in dem här, öppna en fil eller släpp en. Rader som börjar med # hoppas över.",
              "Eén bestandsnaam of patroon per regel, zoals Diplomarbeit, *.pst of IMG_2019*; plak ze hier, open een bestand of sleep er een hierheen. Regels die met # beginnen worden overgeslagen.")
EXTRA[270] = ("Open file...",
              "Abrir ficheiro...",
              "Datei öffnen...",
              "Ouvrir un fichier...",
              "Öppna fil...",
              "Bestand openen...")
EXTRA[271] = ("Check",
              "Verificar",
              "Prüfen",
              "Vérifier",
              "Kontrollera",
              "Controleren")
EXTRA[272] = ("Verdict",
              "Resultado",
              "Ergebnis",
              "Verdict",
              "Utfall",
              "Uitkomst")
EXTRA[273] = ("Matches",
              "Correspondências",
              "Treffer",
              "Correspondances",
              "Träffar",
              "Treffers")
EXTRA[274] = ("Entry",
              "Entrada",
              "Eintrag",
              "Entrée",
              "Post",
              "Regel")
EXTRA[275] = ("Best match",
              "Melhor correspondência",
              "Bester Treffer",
              "Meilleure correspondance",
              "Bästa träff",
              "Beste treffer")
EXTRA[276] = ("Status",
              "Estado",
              "Status",
              "État",
              "Status",
              "Status")
EXTRA[277] = ("recovered",
              "recuperado",
              "wiederhergestellt",
              "récupéré",
              "återställd",
              "hersteld")
EXTRA[278] = ("partial",
              "parcial",
              "teilweise",
              "partiel",
              "delvis",
              "gedeeltelijk")
EXTRA[279] = ("damaged",
              "danificado",
              "beschädigt",
              "endommagé",
              "skadad",
              "beschadigd")
EXTRA[280] = ("missing",
              "em falta",
              "fehlt",
              "manquant",
              "saknas",
              "ontbreekt")
EXTRA[281] = ("%1 entries: %2 recovered, %3 partial, %4 damaged, %5 missing",
              "%1 entradas: %2 recuperadas, %3 parciais, %4 danificadas, %5 em falta",
              "%1 Einträge: %2 wiederhergestellt, %3 teilweise, %4 beschädigt, %5 fehlen",
              "%1 entrées : %2 récupérées, %3 partielles, %4 endommagées, %5 manquantes",
              "%1 poster: %2 återställda, %3 delvis, %4 skadade, %5 saknas",
              "%1 regels: %2 hersteld, %3 gedeeltelijk, %4 beschadigd, %5 ontbreken")
EXTRA[282] = ("Show matches",
              "Mostrar correspondências",
              "Treffer zeigen",
              "Afficher les correspondances",
              "Visa träffar",
              "Treffers tonen")
EXTRA[283] = ("Add to basket",
              "Adicionar à seleção",
              "Zur Auswahl hinzufügen",
              "Ajouter à la sélection",
              "Lägg till i urvalet",
              "Aan selectie toevoegen")
EXTRA[284] = ("Add all found to basket",
              "Adicionar todos os encontrados à seleção",
              "Alle gefundenen zur Auswahl hinzufügen",
              "Ajouter tout ce qui est trouvé à la sélection",
              "Lägg till alla hittade i urvalet",
              "Alle gevonden aan selectie toevoegen")
EXTRA[285] = ("Save results...",
              "Guardar resultados...",
              "Ergebnisse speichern...",
              "Enregistrer les résultats...",
              "Spara resultat...",
              "Resultaten opslaan...")
EXTRA[286] = ("Close",
              "Fechar",
              "Schließen",
              "Fermer",
              "Stäng",
              "Sluiten")
EXTRA[287] = ("The file \"%1\" could not be read as a list of files to check: %2",
              "O ficheiro \"%1\" não pôde ser lido como lista de ficheiros a verificar: %2",
              "Die Datei \"%1\" konnte nicht als Liste zu prüfender Dateien gelesen werden: %2",
              "Le fichier \"%1\" n'a pas pu être lu comme liste de fichiers à vérifier : %2",
              "Filen \"%1\" kunde inte läsas som en lista över filer att kontrollera: %2",
              "Het bestand \"%1\" kon niet worden gelezen als lijst van te controleren bestanden: %2")
EXTRA[288] = ("The list could not be read to its end, so nothing was checked: %1",
              "A lista não pôde ser lida até ao fim, por isso nada foi verificado: %1",
              "Die Liste konnte nicht bis zum Ende gelesen werden, daher wurde nichts geprüft: %1",
              "La liste n'a pas pu être lue jusqu'au bout, rien n'a donc été vérifié : %1",
              "Listan kunde inte läsas till slutet, så inget kontrollerades: %1",
              "De lijst kon niet tot het einde worden gelezen, dus er is niets gecontroleerd: %1")
EXTRA[289] = ("-check",
              "-verificacao",
              "-pruefung",
              "-verification",
              "-kontroll",
              "-controle")
EXTRA[290] = ("Lists of files (*.txt;*.csv)",
              "Listas de ficheiros (*.txt;*.csv)",
              "Dateilisten (*.txt;*.csv)",
              "Listes de fichiers (*.txt;*.csv)",
              "Fillistor (*.txt;*.csv)",
              "Bestandslijsten (*.txt;*.csv)")
EXTRA[291] = ("CSV files (*.csv)",
              "Ficheiros CSV (*.csv)",
              "CSV-Dateien (*.csv)",
              "Fichiers CSV (*.csv)",
              "CSV-filer (*.csv)",
              "CSV-bestanden (*.csv)")
EXTRA[292] = ("The results were saved as \"%1\".",
              "Os resultados foram guardados como \"%1\".",
              "Die Ergebnisse wurden als \"%1\" gespeichert.",
              "Les résultats ont été enregistrés sous \"%1\".",
              "Resultaten sparades som \"%1\".",
              "De resultaten zijn opgeslagen als \"%1\".")
EXTRA[293] = ("The results could not be saved as \"%1\": %2",
              "Os resultados não puderam ser guardados como \"%1\": %2",
              "Die Ergebnisse konnten nicht als \"%1\" gespeichert werden: %2",
              "Les résultats n'ont pas pu être enregistrés sous \"%1\" : %2",
              "Resultaten kunde inte sparas som \"%1\": %2",
              "De resultaten konden niet worden opgeslagen als \"%1\": %2")
EXTRA[294] = ("Open a list first: the files are checked against it.",
              "Abra primeiro uma lista: os ficheiros são verificados com ela.",
              "Öffnen Sie zuerst eine Liste: die Dateien werden mit ihr verglichen.",
              "Ouvrez d'abord une liste : les fichiers sont vérifiés par rapport à elle.",
              "Öppna en lista först: filerna kontrolleras mot den.",
              "Open eerst een lijst: de bestanden worden ermee vergeleken.")

EXTRA[295] = ("Files by kind...",
              "Ficheiros por tipo...",
              "Dateien nach Art...",
              "Fichiers par type...",
              "Filer efter typ...",
              "Bestanden per soort...")
EXTRA[296] = ("What came back, by kind: %1",
              "O que voltou, por tipo: %1",
              "Was zurückkam, nach Art: %1",
              "Ce qui est revenu, par type : %1",
              "Vad som kom tillbaka, efter typ: %1",
              "Wat terugkwam, per soort: %1")
EXTRA[297] = ("Kind",
              "Tipo",
              "Art",
              "Type",
              "Typ",
              "Soort")
EXTRA[298] = ("Files",
              "Ficheiros",
              "Dateien",
              "Fichiers",
              "Filer",
              "Bestanden")
EXTRA[299] = ("Size",
              "Tamanho",
              "Größe",
              "Taille",
              "Storlek",
              "Grootte")
EXTRA[300] = ("good",
              "bom",
              "gut",
              "bon",
              "bra",
              "goed")
EXTRA[301] = ("partial",
              "parcial",
              "teilweise",
              "partiel",
              "delvis",
              "gedeeltelijk")
EXTRA[302] = ("bad",
              "mau",
              "schlecht",
              "mauvais",
              "dålig",
              "slecht")
EXTRA[303] = ("unknown",
              "desconhecido",
              "unbekannt",
              "inconnu",
              "okänd",
              "onbekend")
EXTRA[304] = ("Recovery",
              "Recuperação",
              "Wiederherstellung",
              "Récupération",
              "Återställning",
              "Herstel")
EXTRA[305] = ("Photos",
              "Fotografias",
              "Fotos",
              "Photos",
              "Foton",
              "Foto's")
EXTRA[306] = ("Videos",
              "Vídeos",
              "Videos",
              "Vidéos",
              "Videor",
              "Video's")
EXTRA[307] = ("Music",
              "Música",
              "Musik",
              "Musique",
              "Musik",
              "Muziek")
EXTRA[308] = ("Documents",
              "Documentos",
              "Dokumente",
              "Documents",
              "Dokument",
              "Documenten")
EXTRA[309] = ("Spreadsheets",
              "Folhas de cálculo",
              "Tabellen",
              "Feuilles de calcul",
              "Kalkylblad",
              "Spreadsheets")
EXTRA[310] = ("Presentations",
              "Apresentações",
              "Präsentationen",
              "Présentations",
              "Presentationer",
              "Presentaties")
EXTRA[311] = ("Mail",
              "Correio",
              "E-Mail",
              "Courrier",
              "E-post",
              "E-mail")
EXTRA[312] = ("Archives",
              "Arquivos",
              "Archive",
              "Archives",
              "Arkiv",
              "Archieven")
EXTRA[313] = ("Databases",
              "Bases de dados",
              "Datenbanken",
              "Bases de données",
              "Databaser",
              "Databases")
EXTRA[314] = ("Programs",
              "Programas",
              "Programme",
              "Programmes",
              "Program",
              "Programma's")
EXTRA[315] = ("Other",
              "Outros",
              "Sonstige",
              "Autres",
              "Övrigt",
              "Overig")
EXTRA[316] = ("All kinds",
              "Todos os tipos",
              "Alle Arten",
              "Tous les types",
              "Alla typer",
              "Alle soorten")
EXTRA[317] = ("Click a number to show those files in the list.",
              "Clique num número para mostrar esses ficheiros na lista.",
              "Klicken Sie auf eine Zahl, um diese Dateien in der Liste zu zeigen.",
              "Cliquez sur un nombre pour afficher ces fichiers dans la liste.",
              "Klicka på ett tal för att visa de filerna i listan.",
              "Klik op een getal om die bestanden in de lijst te tonen.")
EXTRA[318] = ("Save report...",
              "Guardar relatório...",
              "Bericht speichern...",
              "Enregistrer le rapport...",
              "Spara rapport...",
              "Rapport opslaan...")
EXTRA[319] = ("Print report...",
              "Imprimir relatório...",
              "Bericht drucken...",
              "Imprimer le rapport...",
              "Skriv ut rapport...",
              "Rapport afdrukken...")
EXTRA[320] = ("Recovery report",
              "Relatório de recuperação",
              "Wiederherstellungsbericht",
              "Rapport de récupération",
              "Återställningsrapport",
              "Herstelrapport")
EXTRA[321] = ("File list",
              "Lista de ficheiros",
              "Dateiliste",
              "Liste de fichiers",
              "Fillista",
              "Bestandslijst")
EXTRA[322] = ("Zip file",
              "Ficheiro zip",
              "Zip-Datei",
              "Fichier zip",
              "Zip-fil",
              "Zip-bestand")
EXTRA[323] = ("Lines",
              "Linhas",
              "Zeilen",
              "Lignes",
              "Rader",
              "Regels")
EXTRA[324] = ("Opened",
              "Aberta em",
              "Geöffnet",
              "Ouverte le",
              "Öppnad",
              "Geopend")
EXTRA[325] = ("SHA-256",
              "SHA-256",
              "SHA-256",
              "SHA-256",
              "SHA-256",
              "SHA-256")
EXTRA[326] = ("Files by kind",
              "Ficheiros por tipo",
              "Dateien nach Art",
              "Fichiers par type",
              "Filer efter typ",
              "Bestanden per soort")
EXTRA[327] = ("The files by status",
              "Os ficheiros por estado",
              "Die Dateien nach Status",
              "Les fichiers par état",
              "Filerna efter status",
              "De bestanden per status")
EXTRA[328] = ("Class",
              "Classe",
              "Klasse",
              "Classe",
              "Klass",
              "Klasse")
EXTRA[329] = ("Share",
              "Parte",
              "Anteil",
              "Part",
              "Andel",
              "Aandeel")
EXTRA[330] = ("%1 other statuses",
              "%1 outros estados",
              "%1 weitere Status",
              "%1 autres états",
              "%1 andra statusar",
              "%1 andere statussen")
EXTRA[331] = ("(no status)",
              "(sem estado)",
              "(kein Status)",
              "(sans état)",
              "(ingen status)",
              "(geen status)")
EXTRA[332] = ("Top-level folders",
              "Pastas de primeiro nível",
              "Ordner der obersten Ebene",
              "Dossiers de premier niveau",
              "Mappar på översta nivån",
              "Mappen op het hoogste niveau")
EXTRA[333] = ("Folder",
              "Pasta",
              "Ordner",
              "Dossier",
              "Mapp",
              "Map")
EXTRA[334] = ("%1 more folders",
              "mais %1 pastas",
              "%1 weitere Ordner",
              "%1 autres dossiers",
              "%1 mappar till",
              "nog %1 mappen")
EXTRA[335] = ("Chosen for the restore",
              "Escolhido para o restauro",
              "Für die Wiederherstellung ausgewählt",
              "Choisi pour la restauration",
              "Valt för återställningen",
              "Gekozen voor het terugzetten")
EXTRA[336] = ("Approval",
              "Aprovação",
              "Freigabe",
              "Approbation",
              "Godkännande",
              "Goedkeuring")
EXTRA[337] = ("Send the approval to",
              "Enviar a aprovação para",
              "Freigabe senden an",
              "Envoyer l'approbation à",
              "Skicka godkännandet till",
              "Goedkeuring sturen naar")
EXTRA[338] = ("Subject",
              "Assunto",
              "Betreff",
              "Objet",
              "Ämne",
              "Onderwerp")
EXTRA[339] = ("Place, date:",
              "Local, data:",
              "Ort, Datum:",
              "Lieu, date :",
              "Ort, datum:",
              "Plaats, datum:")
EXTRA[340] = ("Signature:",
              "Assinatura:",
              "Unterschrift:",
              "Signature :",
              "Underskrift:",
              "Handtekening:")
EXTRA[341] = ("PDF files (*.pdf);;Web pages (*.html);;CSV files (*.csv)",
              "Ficheiros PDF (*.pdf);;Páginas web (*.html);;Ficheiros CSV (*.csv)",
              "PDF-Dateien (*.pdf);;Webseiten (*.html);;CSV-Dateien (*.csv)",
              "Fichiers PDF (*.pdf);;Pages web (*.html);;Fichiers CSV (*.csv)",
              "PDF-filer (*.pdf);;Webbsidor (*.html);;CSV-filer (*.csv)",
              "PDF-bestanden (*.pdf);;Webpagina's (*.html);;CSV-bestanden (*.csv)")
EXTRA[342] = ("-report",
              "-relatorio",
              "-bericht",
              "-rapport",
              "-rapport",
              "-rapport")
EXTRA[343] = ("The report was saved as \"%1\".",
              "O relatório foi guardado como \"%1\".",
              "Der Bericht wurde als \"%1\" gespeichert.",
              "Le rapport a été enregistré sous \"%1\".",
              "Rapporten sparades som \"%1\".",
              "Het rapport is opgeslagen als \"%1\".")
EXTRA[344] = ("The report could not be saved as \"%1\": %2",
              "Não foi possível guardar o relatório como \"%1\": %2",
              "Der Bericht konnte nicht als \"%1\" gespeichert werden: %2",
              "Le rapport n'a pas pu être enregistré sous \"%1\" : %2",
              "Rapporten kunde inte sparas som \"%1\": %2",
              "Het rapport kon niet worden opgeslagen als \"%1\": %2")
EXTRA[345] = ("Open a list first: the report is of it.",
              "Abra primeiro uma lista: o relatório é sobre ela.",
              "Öffnen Sie zuerst eine Liste: der Bericht gilt ihr.",
              "Ouvrez d'abord une liste : le rapport porte sur elle.",
              "Öppna en lista först: rapporten gäller den.",
              "Open eerst een lijst: het rapport gaat erover.")
EXTRA[346] = ("A report is written as PDF, HTML or CSV: end its name with .pdf, .html or .csv.",
              "Um relatório é escrito em PDF, HTML ou CSV: termine o nome com .pdf, .html ou .csv.",
              "Ein Bericht wird als PDF, HTML oder CSV geschrieben: lassen Sie seinen Namen auf .pdf, .html oder .csv enden.",
              "Un rapport s'écrit en PDF, HTML ou CSV : terminez son nom par .pdf, .html ou .csv.",
              "En rapport skrivs som PDF, HTML eller CSV: låt namnet sluta på .pdf, .html eller .csv.",
              "Een rapport wordt geschreven als PDF, HTML of CSV: laat de naam eindigen op .pdf, .html of .csv.")
EXTRA[347] = ("Writing the report...",
              "A escrever o relatório...",
              "Der Bericht wird geschrieben...",
              "Écriture du rapport...",
              "Rapporten skrivs...",
              "Het rapport wordt geschreven...")

EXTRA[348] = ("Recovery map",
              "Mapa da recuperação",
              "Wiederherstellungskarte",
              "Carte de la récupération",
              "Återställningskarta",
              "Herstelkaart")
EXTRA[349] = ("%1 files, %2",
              "%1 ficheiros, %2",
              "%1 Dateien, %2",
              "%1 fichiers, %2",
              "%1 filer, %2",
              "%1 bestanden, %2")
EXTRA[350] = ("Files of this folder",
              "Ficheiros desta pasta",
              "Dateien dieses Ordners",
              "Fichiers de ce dossier",
              "Filer i den här mappen",
              "Bestanden van deze map")
EXTRA[351] = ("%1 small folders",
              "%1 pastas pequenas",
              "%1 kleine Ordner",
              "%1 petits dossiers",
              "%1 små mappar",
              "%1 kleine mappen")
EXTRA[352] = ("%1: %2 files, %3 (%4 %)",
              "%1: %2 ficheiros, %3 (%4 %)",
              "%1: %2 Dateien, %3 (%4 %)",
              "%1 : %2 fichiers, %3 (%4 %)",
              "%1: %2 filer, %3 (%4 %)",
              "%1: %2 bestanden, %3 (%4 %)")
EXTRA[353] = ("Not to scale: drawn larger than its bytes",
              "Fora de escala: desenhado maior do que os seus bytes",
              "Nicht maßstäblich: größer gezeichnet, als seine Bytes sind",
              "Pas à l'échelle : dessiné plus grand que ses octets",
              "Inte skalenlig: ritad större än dess byte",
              "Niet op schaal: groter getekend dan zijn bytes")
EXTRA[354] = ("Click: show the folder. Double-click: go into it. Backspace: go up.",
              "Clique: mostrar a pasta. Duplo clique: entrar nela. Retrocesso: subir.",
              "Klick: Ordner zeigen. Doppelklick: hineingehen. Rücktaste: eine Ebene höher.",
              "Clic : afficher le dossier. Double-clic : y entrer. Retour arrière : remonter.",
              "Klick: visa mappen. Dubbelklick: gå in i den. Backsteg: gå upp.",
              "Klik: map tonen. Dubbelklik: erin gaan. Backspace: omhoog.")

EXTRA[355] = ("One folder up",
              "Subir uma pasta",
              "Eine Ordnerebene höher",
              "Remonter d'un dossier",
              "En mapp upp",
              "Eén map omhoog")

EXTRA[356] = ("Compare with another list...",
              "Comparar com outra lista...",
              "Mit einer anderen Liste vergleichen...",
              "Comparer avec une autre liste...",
              "Jämför med en annan lista...",
              "Vergelijken met een andere lijst...")
EXTRA[357] = ("What changed between two lists",
              "O que mudou entre duas listas",
              "Was sich zwischen zwei Listen geändert hat",
              "Ce qui a changé entre deux listes",
              "Vad som ändrats mellan två listor",
              "Wat er tussen twee lijsten veranderd is")
EXTRA[358] = ("Old list: %1",
              "Lista antiga: %1",
              "Alte Liste: %1",
              "Ancienne liste : %1",
              "Gammal lista: %1",
              "Oude lijst: %1")
EXTRA[359] = ("New list: %1",
              "Lista nova: %1",
              "Neue Liste: %1",
              "Nouvelle liste : %1",
              "Ny lista: %1",
              "Nieuwe lijst: %1")
EXTRA[360] = ("Swap",
              "Trocar",
              "Tauschen",
              "Inverser",
              "Byt plats",
              "Omwisselen")
EXTRA[361] = ("Choose the other list...",
              "Escolher a outra lista...",
              "Andere Liste wählen...",
              "Choisir l'autre liste...",
              "Välj den andra listan...",
              "Andere lijst kiezen...")
EXTRA[362] = ("Added %1, removed %2, status changed %3 (%4 became good, %5 became damaged), size changed %6, unchanged %7",
              "Adicionados %1, removidos %2, estado alterado %3 (%4 ficaram bons, %5 ficaram danificados), tamanho alterado %6, sem alteração %7",
              "Hinzugekommen %1, entfallen %2, Status geändert %3 (%4 wurden gut, %5 wurden beschädigt), Größe geändert %6, unverändert %7",
              "Ajoutés %1, retirés %2, état modifié %3 (%4 devenus bons, %5 devenus endommagés), taille modifiée %6, inchangés %7",
              "Tillagda %1, borttagna %2, ändrad status %3 (%4 blev bra, %5 blev skadade), ändrad storlek %6, oförändrade %7",
              "Toegevoegd %1, verwijderd %2, status gewijzigd %3 (%4 werden goed, %5 werden beschadigd), grootte gewijzigd %6, ongewijzigd %7")
EXTRA[363] = ("All changes",
              "Todas as alterações",
              "Alle Änderungen",
              "Toutes les modifications",
              "Alla ändringar",
              "Alle wijzigingen")
EXTRA[364] = ("added",
              "adicionado",
              "hinzugekommen",
              "ajouté",
              "tillagd",
              "toegevoegd")
EXTRA[365] = ("removed",
              "removido",
              "entfallen",
              "retiré",
              "borttagen",
              "verwijderd")
EXTRA[366] = ("status changed",
              "estado alterado",
              "Status geändert",
              "état modifié",
              "ändrad status",
              "status gewijzigd")
EXTRA[367] = ("size changed",
              "tamanho alterado",
              "Größe geändert",
              "taille modifiée",
              "ändrad storlek",
              "grootte gewijzigd")
EXTRA[368] = ("became damaged",
              "ficou danificado",
              "wurde beschädigt",
              "devenu endommagé",
              "blev skadad",
              "werd beschadigd")
EXTRA[369] = ("became good",
              "ficou bom",
              "wurde gut",
              "devenu bon",
              "blev bra",
              "werd goed")
EXTRA[370] = ("Path",
              "Caminho",
              "Pfad",
              "Chemin",
              "Sökväg",
              "Pad")
EXTRA[371] = ("Change",
              "Alteração",
              "Änderung",
              "Modification",
              "Ändring",
              "Wijziging")
EXTRA[372] = ("Old status",
              "Estado antigo",
              "Alter Status",
              "Ancien état",
              "Gammal status",
              "Oude status")
EXTRA[373] = ("New status",
              "Estado novo",
              "Neuer Status",
              "Nouvel état",
              "Ny status",
              "Nieuwe status")
EXTRA[374] = ("Old size",
              "Tamanho antigo",
              "Alte Größe",
              "Ancienne taille",
              "Gammal storlek",
              "Oude grootte")
EXTRA[375] = ("New size",
              "Tamanho novo",
              "Neue Größe",
              "Nouvelle taille",
              "Ny storlek",
              "Nieuwe grootte")
EXTRA[376] = ("Save differences...",
              "Guardar diferenças...",
              "Unterschiede speichern...",
              "Enregistrer les différences...",
              "Spara skillnader...",
              "Verschillen opslaan...")
EXTRA[377] = ("Save as list...",
              "Guardar como lista...",
              "Als Liste speichern...",
              "Enregistrer comme liste...",
              "Spara som lista...",
              "Opslaan als lijst...")
EXTRA[378] = ("Browse the new list",
              "Navegar na lista nova",
              "Neue Liste durchsehen",
              "Parcourir la nouvelle liste",
              "Bläddra i den nya listan",
              "Nieuwe lijst doorbladeren")
EXTRA[379] = ("The differences were saved as \"%1\".",
              "As diferenças foram guardadas como \"%1\".",
              "Die Unterschiede wurden als \"%1\" gespeichert.",
              "Les différences ont été enregistrées sous \"%1\".",
              "Skillnaderna sparades som \"%1\".",
              "De verschillen zijn opgeslagen als \"%1\".")
EXTRA[380] = ("The differences could not be saved as \"%1\": %2",
              "Não foi possível guardar as diferenças como \"%1\": %2",
              "Die Unterschiede konnten nicht als \"%1\" gespeichert werden: %2",
              "Les différences n'ont pas pu être enregistrées sous \"%1\" : %2",
              "Skillnaderna kunde inte sparas som \"%1\": %2",
              "De verschillen konden niet worden opgeslagen als \"%1\": %2")
EXTRA[381] = ("The list \"%1\" could not be read: %2",
              "Não foi possível ler a lista \"%1\": %2",
              "Die Liste \"%1\" konnte nicht gelesen werden: %2",
              "La liste \"%1\" n'a pas pu être lue : %2",
              "Listan \"%1\" kunde inte läsas: %2",
              "De lijst \"%1\" kon niet worden gelezen: %2")
EXTRA[382] = ("Open a list first: it is compared with the other one.",
              "Abra primeiro uma lista: ela é comparada com a outra.",
              "Öffnen Sie zuerst eine Liste: sie wird mit der anderen verglichen.",
              "Ouvrez d'abord une liste : elle est comparée à l'autre.",
              "Öppna en lista först: den jämförs med den andra.",
              "Open eerst een lijst: die wordt met de andere vergeleken.")
EXTRA[383] = ("Changed folders",
              "Pastas alteradas",
              "Geänderte Ordner",
              "Dossiers modifiés",
              "Ändrade mappar",
              "Gewijzigde mappen")
EXTRA[384] = ("-changes",
              "-alteracoes",
              "-aenderungen",
              "-modifications",
              "-andringar",
              "-wijzigingen")
EXTRA[385] = ("A list inside a zip archive is compared once it is open: open the archive, choose the list, then compare it with the other one.",
              "Uma lista dentro de um arquivo zip é comparada depois de aberta: abra o arquivo, escolha a lista e compare-a com a outra.",
              "Eine Liste in einem Zip-Archiv wird verglichen, sobald sie geöffnet ist: Öffnen Sie das Archiv, wählen Sie die Liste und vergleichen Sie sie dann mit der anderen.",
              "Une liste dans une archive zip se compare une fois ouverte : ouvrez l'archive, choisissez la liste, puis comparez-la à l'autre.",
              "En lista i ett zip-arkiv jämförs när den är öppen: öppna arkivet, välj listan och jämför den sedan med den andra.",
              "Een lijst in een zip-archief wordt vergeleken zodra die geopend is: open het archief, kies de lijst en vergelijk die dan met de andere.")
EXTRA[386] = ("Reading \"%1\"...",
              "A ler \"%1\"...",
              "\"%1\" wird gelesen...",
              "Lecture de \"%1\"...",
              "Läser \"%1\"...",
              "\"%1\" wordt gelezen...")
EXTRA[387] = ("Show:",
              "Mostrar:",
              "Zeigen:",
              "Afficher :",
              "Visa:",
              "Tonen:")

EXTRA[388] = ("Narrows as you type: words, ext:jpg;png, size:>10mb, dm:2019-03, status:, class:bad, kind:photos, -word",
              "Filtra enquanto escreve: palavras, ext:jpg;png, size:>10mb, dm:2019-03, status:, class:bad, kind:photos, -palavra",
              "Grenzt beim Tippen ein: Wörter, ext:jpg;png, size:>10mb, dm:2019-03, status:, class:bad, kind:photos, -Wort",
              "Restreint pendant la frappe : mots, ext:jpg;png, size:>10mb, dm:2019-03, status:, class:bad, kind:photos, -mot",
              "Filtrerar medan du skriver: ord, ext:jpg;png, size:>10mb, dm:2019-03, status:, class:bad, kind:photos, -ord",
              "Filtert tijdens het typen: woorden, ext:jpg;png, size:>10mb, dm:2019-03, status:, class:bad, kind:photos, -woord")
EXTRA[389] = ("Narrows the list as you type; every word must hold:",
              "Filtra a lista enquanto escreve; todas as palavras têm de se verificar:",
              "Grenzt die Liste beim Tippen ein; jedes Wort muss zutreffen:",
              "Restreint la liste pendant la frappe ; chaque mot doit être vérifié :",
              "Filtrerar listan medan du skriver; varje ord måste stämma:",
              "Filtert de lijst tijdens het typen; elk woord moet kloppen:")
EXTRA[390] = ("word: the path holds it (* ? # [a-z] as in the search)",
              "palavra: o caminho contém-na (* ? # [a-z] como na pesquisa)",
              "Wort: der Pfad enthält es (* ? # [a-z] wie bei der Suche)",
              "mot : le chemin le contient (* ? # [a-z] comme dans la recherche)",
              "ord: sökvägen innehåller det (* ? # [a-z] som i sökningen)",
              "woord: het pad bevat het (* ? # [a-z] zoals bij het zoeken)")
EXTRA[391] = ("ext:jpg;png: the name ends in one of these extensions",
              "ext:jpg;png: o nome termina numa destas extensões",
              "ext:jpg;png: der Name endet auf eine dieser Endungen",
              "ext:jpg;png : le nom se termine par l'une de ces extensions",
              "ext:jpg;png: namnet slutar på ett av dessa filtillägg",
              "ext:jpg;png: de naam eindigt op een van deze extensies")
EXTRA[392] = ("size:>10mb, size:<1kb, size:1mb..1gb: the size (kb, mb, gb, tb or bytes)",
              "size:>10mb, size:<1kb, size:1mb..1gb: o tamanho (kb, mb, gb, tb ou bytes)",
              "size:>10mb, size:<1kb, size:1mb..1gb: die Größe (kb, mb, gb, tb oder Bytes)",
              "size:>10mb, size:<1kb, size:1mb..1gb : la taille (kb, mb, gb, tb ou octets)",
              "size:>10mb, size:<1kb, size:1mb..1gb: storleken (kb, mb, gb, tb eller byte)",
              "size:>10mb, size:<1kb, size:1mb..1gb: de grootte (kb, mb, gb, tb of bytes)")
EXTRA[393] = ("dm:2019, dm:2019-03, dm:2019-03-01..2019-06-30: the modification date",
              "dm:2019, dm:2019-03, dm:2019-03-01..2019-06-30: a data de modificação",
              "dm:2019, dm:2019-03, dm:2019-03-01..2019-06-30: das Änderungsdatum",
              "dm:2019, dm:2019-03, dm:2019-03-01..2019-06-30 : la date de modification",
              "dm:2019, dm:2019-03, dm:2019-03-01..2019-06-30: ändringsdatumet",
              "dm:2019, dm:2019-03, dm:2019-03-01..2019-06-30: de wijzigingsdatum")
EXTRA[394] = ("status:damaged: the status begins with it; class:good, partial, bad or unknown",
              "status:damaged: o estado começa assim; class:good, partial, bad ou unknown",
              "status:damaged: der Status beginnt damit; class:good, partial, bad oder unknown",
              "status:damaged : l'état commence ainsi ; class:good, partial, bad ou unknown",
              "status:damaged: statusen börjar så; class:good, partial, bad eller unknown",
              "status:damaged: de status begint ermee; class:good, partial, bad of unknown")
EXTRA[395] = ("kind:photos, the kind of file: photos, videos, music, documents, spreadsheets, presentations, mail, archives, databases, programs or other",
              "kind:photos, o tipo de ficheiro: photos, videos, music, documents, spreadsheets, presentations, mail, archives, databases, programs ou other",
              "kind:photos, die Dateiart: photos, videos, music, documents, spreadsheets, presentations, mail, archives, databases, programs oder other",
              "kind:photos, le type de fichier : photos, videos, music, documents, spreadsheets, presentations, mail, archives, databases, programs ou other",
              "kind:photos, filtypen: photos, videos, music, documents, spreadsheets, presentations, mail, archives, databases, programs eller other",
              "kind:photos, het soort bestand: photos, videos, music, documents, spreadsheets, presentations, mail, archives, databases, programs of other")
EXTRA[396] = ("-word leaves out what it matches; \"annual report\" keeps the space inside",
              "-palavra exclui o que corresponde; \"relatório anual\" mantém o espaço",
              "-Wort schließt aus, was passt; \"Jahresbericht 2019\" behält das Leerzeichen",
              "-mot exclut ce qui correspond ; \"rapport annuel\" garde l'espace",
              "-ord utesluter det som matchar; \"årlig rapport\" behåller mellanslaget",
              "-woord sluit uit wat overeenkomt; \"jaarlijks verslag\" houdt de spatie")
EXTRA[397] = ("Esc shows the whole list again; Enter or \"Search\" searches the list file as before",
              "Esc mostra de novo a lista inteira; Enter ou \"Pesquisar\" pesquisa o ficheiro da lista como antes",
              "Esc zeigt wieder die ganze Liste; Enter oder \"Suchen\" durchsucht die Listendatei wie bisher",
              "Échap affiche de nouveau toute la liste ; Entrée ou \"Rechercher\" cherche dans le fichier de la liste comme avant",
              "Esc visar hela listan igen; Enter eller \"Sök\" söker i listfilen som förut",
              "Esc toont weer de hele lijst; Enter of \"Zoeken\" doorzoekt het lijstbestand zoals voorheen")
EXTRA[398] = ("%1 matches · %2",
              "%1 resultados · %2",
              "%1 Treffer · %2",
              "%1 résultats · %2",
              "%1 träffar · %2",
              "%1 treffers · %2")
EXTRA[399] = ("All %1 lines match",
              "As %1 linhas correspondem todas",
              "Alle %1 Zeilen passen",
              "Les %1 lignes correspondent toutes",
              "Alla %1 rader matchar",
              "Alle %1 regels komen overeen")
EXTRA[400] = ("No match",
              "Nenhum resultado",
              "Kein Treffer",
              "Aucun résultat",
              "Ingen träff",
              "Geen treffer")
EXTRA[401] = ("Not understood: %1 (%2)",
              "Não compreendido: %1 (%2)",
              "Nicht verstanden: %1 (%2)",
              "Non compris : %1 (%2)",
              "Inte förstått: %1 (%2)",
              "Niet begrepen: %1 (%2)")
EXTRA[402] = ("a size is a number with kb, mb, gb or tb after > or <, or two sizes joined by ..",
              "um tamanho é um número com kb, mb, gb ou tb depois de > ou <, ou dois tamanhos unidos por ..",
              "eine Größe ist eine Zahl mit kb, mb, gb oder tb nach > oder <, oder zwei Größen mit .. dazwischen",
              "une taille est un nombre avec kb, mb, gb ou tb après > ou <, ou deux tailles reliées par ..",
              "en storlek är ett tal med kb, mb, gb eller tb efter > eller <, eller två storlekar med .. emellan",
              "een grootte is een getal met kb, mb, gb of tb na > of <, of twee groottes met .. ertussen")
EXTRA[403] = ("a date is a year, a year-month or a year-month-day, or two dates joined by ..",
              "uma data é um ano, um ano-mês ou um ano-mês-dia, ou duas datas unidas por ..",
              "ein Datum ist ein Jahr, Jahr-Monat oder Jahr-Monat-Tag, oder zwei Daten mit .. dazwischen",
              "une date est une année, une année-mois ou une année-mois-jour, ou deux dates reliées par ..",
              "ett datum är ett år, år-månad eller år-månad-dag, eller två datum med .. emellan",
              "een datum is een jaar, jaar-maand of jaar-maand-dag, of twee datums met .. ertussen")
EXTRA[404] = ("the classes are good, partial, bad and unknown",
              "as classes são good, partial, bad e unknown",
              "die Klassen sind good, partial, bad und unknown",
              "les classes sont good, partial, bad et unknown",
              "klasserna är good, partial, bad och unknown",
              "de klassen zijn good, partial, bad en unknown")
EXTRA[405] = ("the kinds are photos, videos, music, documents, spreadsheets, presentations, mail, archives, databases, programs and other",
              "os tipos são photos, videos, music, documents, spreadsheets, presentations, mail, archives, databases, programs e other",
              "die Arten sind photos, videos, music, documents, spreadsheets, presentations, mail, archives, databases, programs und other",
              "les types sont photos, videos, music, documents, spreadsheets, presentations, mail, archives, databases, programs et other",
              "typerna är photos, videos, music, documents, spreadsheets, presentations, mail, archives, databases, programs och other",
              "de soorten zijn photos, videos, music, documents, spreadsheets, presentations, mail, archives, databases, programs en other")
EXTRA[406] = ("nothing follows the colon",
              "nada depois dos dois pontos",
              "nach dem Doppelpunkt fehlt etwas",
              "rien ne suit les deux-points",
              "inget efter kolonet",
              "er volgt niets na de dubbele punt")
EXTRA[407] = ("this word cannot be read",
              "esta palavra não pode ser lida",
              "dieses Wort ist nicht lesbar",
              "ce mot ne peut pas être lu",
              "det här ordet kan inte läsas",
              "dit woord kan niet worden gelezen")
EXTRA[408] = ("Narrowing...",
              "A filtrar...",
              "Wird eingegrenzt...",
              "Restriction...",
              "Filtrerar...",
              "Bezig met filteren...")


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
